// A shader instance with a "color" uniform and the material's diffuse texture as "texture".
// Depends on: ShaderColor, ShaderTexture, Shader.
#pragma once

#include "demosys/render/ShaderColor.h"

class ShaderTextureColor : public ShaderColor {
 public:
  ShaderTextureColor() = default;
  explicit ShaderTextureColor(Shader* shader) : ShaderColor(shader) {}

  void use(QNVMaterial* material) override;
  void release() override;
};
