// The shader instance of the tribunes' spectators: the sprite atlas as "robot" on unit 0 and an
// intensity map of w x h cells as "intensitymap" on unit 1, with "step" = (w, h), both sampled
// without filtering so each spectator takes one cell. CrowdVUEffect chooses which texture is the
// intensity map from frame to frame.
// Depends on: ShaderInstance, Shader, Texture, GLEW.
#pragma once

#include "demosys/render/ShaderInstance.h"

class Texture;

class CrowdShader : public ShaderInstance {
 public:
  CrowdShader(Shader* shader, int width, int height, Texture* robot, Texture* intensity);

  void use(QNVMaterial* material) override;
  void release() override;

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  Texture* getIntensityTexture() const { return intensity; }
  void setIntensityTexture(Texture* texture) { intensity = texture; }

 private:
  int width;
  int height;
  Texture* robot;
  Texture* intensity;
};
