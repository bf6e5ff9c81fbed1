// A shader instance that samples the material's diffuse texture as "texture" on unit 0; the
// material's colours are not applied.
// Depends on: ShaderInstance, Shader, QNVMaterial.
#pragma once

#include "demosys/render/ShaderInstance.h"

class ShaderTexture : public ShaderInstance {
 public:
  ShaderTexture() = default;
  explicit ShaderTexture(Shader* shader) : ShaderInstance(shader) {}

  void use(QNVMaterial* material) override;
  void release() override;

  // Binds the material's diffuse texture, if it has one, as the shader's "texture" sampler.
  static void bindDiffuseTexture(Shader* shader, const QNVMaterial* material);
};
