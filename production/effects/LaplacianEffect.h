// Laplacian: edges of a framebuffer found by the "laplacian" shader into a work buffer, then
// thickened by the "dilate" shader into the current target.
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, FrameBufferObject.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;

class LaplacianEffect : public Effect {
 public:
  // One texel of a 1024-wide buffer: the neighbour distance both shaders sample at.
  static constexpr float viewportStep = 0.0009765625f;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  Effect* getInstance() override;

 private:
  void detectEdges();
  void dilate();

  Shader* laplacian = nullptr;
  Shader* dilation = nullptr;
  FrameBufferObject* source = nullptr;
  FrameBufferObject* tmp = nullptr;
  bool ready = false;
};
