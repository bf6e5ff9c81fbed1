// The shader instance of one arena meter: its height scale, set as the uniform "scale" at every
// use; VolumMetersEffect moves it with the music.
// Depends on: ShaderInstance, Shader.
#pragma once

#include "demosys/render/ShaderInstance.h"

class ScaleVolumMeterShader : public ShaderInstance {
 public:
  explicit ScaleVolumMeterShader(Shader* shader) : ShaderInstance(shader) {}

  void use(QNVMaterial* material) override;
  void release() override;

  float getScale() const { return scale; }
  void setScale(float value) { scale = value; }

 private:
  float scale = 1.0f;
};
