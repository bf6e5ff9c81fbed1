// A shader instance pairing the material's diffuse texture ("texture", unit 0) with a second,
// fixed texture ("gradient", unit 1) that shades it; without the flag it binds neither and
// leaves the textures as they are.
// Depends on: ShaderInstance, ShaderTexture, Shader, Texture.
#pragma once

#include "demosys/render/ShaderInstance.h"

class Texture;

class TarnveldShader : public ShaderInstance {
 public:
  TarnveldShader(Shader* shader, Texture* gradient, bool flag) : ShaderInstance(shader), gradient(gradient), flag(flag) {}

  void use(QNVMaterial* material) override;
  void release() override;

 private:
  Texture* gradient;
  bool flag;
};
