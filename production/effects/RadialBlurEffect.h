// Radial blur: a framebuffer zoomed and blended onto itself in 15 passes through two work buffers,
// each pass a little larger and fainter, then painted over the current target. The "num_passes"
// track only sets how fast the blend weight falls; the pass count is fixed.
// Depends on: Effect, EffectResources, Shader, FrameBufferObject, TrackInterpolate.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;

class RadialBlurEffect : public Effect {
 public:
  static constexpr int passCount = 15;
  // The single-precision value nearest 1/15: after the last pass the zoom has grown by about 14/15.
  static constexpr float zoomStepPerPass = 0.0666667f;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  void blendPass();

  Shader* zoomBlend = nullptr;
  FrameBufferObject* offscreen = nullptr;
  FrameBufferObject* blurX = nullptr;
  FrameBufferObject* blurY = nullptr;
  TrackInterpolate* numPasses = nullptr;
  float zoom = 1.0f;
  float zoomStep = 0.0f;
  float alpha = 1.0f;
  float alphaStep = 0.0f;
  bool ready = false;
};
