// The texture-transform shader instance: the material's diffuse texture as "texture" on unit 0,
// moved across the surface by the vec2 "translate" an effect sets from frame to frame (the
// zeppelin's scrolling LED display, the tanks' turning tracks).
// Depends on: ShaderInstance, ShaderTexture, Shader.
#pragma once

#include "demosys/math/Vector.h"
#include "demosys/render/ShaderInstance.h"

class RobotTransShader : public ShaderInstance {
 public:
  explicit RobotTransShader(Shader* shader) : ShaderInstance(shader) {}

  void use(QNVMaterial* material) override;
  void release() override;

  const Vector2f& getTranslate() const { return translate; }
  void setTranslate(float s, float t) { translate = Vector2f(s, t); }

 private:
  Vector2f translate;
};
