// Blend: a framebuffer (the "source" parameter) laid over the current target with a fixed opacity,
// through a shader that scales the picture's alpha by it (sampler "source", uniform "opacity").
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, FrameBufferObject,
// QNVUtils (number text).
#pragma once

#include "demosys/effect/Effect.h"

class Shader;

class BlendEffect : public Effect {
 public:
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override;
  Effect* getInstance() override;

  float getOpacity() const { return opacity; }

 private:
  Shader* shader = nullptr;
  FrameBufferObject* source = nullptr;
  // The script's value; a reset returns to it (1.0 until init has read it).
  float scriptOpacity = 1.0f;
  float opacity = 1.0f;
  bool ready = false;
};
