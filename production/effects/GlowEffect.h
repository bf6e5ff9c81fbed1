// Glow: a framebuffer blurred in two separable passes (horizontal, then vertical, weighted by a
// blur-kernel texture) and blended over the current target by a screen shader at half opacity.
// The source framebuffer is consumed: it is cleared after every frame the glow draws.
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, FrameBufferObject,
// Texture.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;
class Texture;

class GlowEffect : public Effect {
 public:
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override;
  Effect* getInstance() override;

 private:
  void blurPass(Shader* shader, FrameBufferObject* from, FrameBufferObject* to, float textureSize);
  void composite();

  Shader* blurXShader = nullptr;
  Shader* blurYShader = nullptr;
  Shader* screenShader = nullptr;
  FrameBufferObject* source = nullptr;
  FrameBufferObject* blurX = nullptr;
  FrameBufferObject* blurY = nullptr;
  Texture* kernel = nullptr;
  bool ready = false;
};
