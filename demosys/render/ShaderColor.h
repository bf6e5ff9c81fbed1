// A shader instance with one RGBA colour, set as the shader's "color" uniform at every use; the
// material's colours are not applied.
// Depends on: ShaderInstance, Shader.
#pragma once

#include "demosys/render/ShaderInstance.h"

class ShaderColor : public ShaderInstance {
 public:
  ShaderColor() = default;
  // White until setColor.
  explicit ShaderColor(Shader* shader) : ShaderInstance(shader), r(1.0f), g(1.0f), b(1.0f), a(1.0f) {}

  void use(QNVMaterial* material) override;
  void release() override;

  void setColor(float red, float green, float blue, float alpha) {
    r = red;
    g = green;
    b = blue;
    a = alpha;
  }

 protected:
  void applyColor();

  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;
};
