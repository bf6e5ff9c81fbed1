// Lens: a framebuffer seen through the "lens" shader, shaped by the "depth", "multiplier" and
// "divider" tracks, with a raster that scrolls steadily with elapsed time.
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, FrameBufferObject.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;

class LensEffect : public Effect {
 public:
  // Raster scroll per 10 ms of frame time.
  static constexpr float scrollPerTenMs = 0.0025f;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  Shader* shader = nullptr;
  FrameBufferObject* source = nullptr;
  TrackInterpolate* depth = nullptr;
  TrackInterpolate* multiplier = nullptr;
  TrackInterpolate* divider = nullptr;
  float rasterScroll = 0.0f;
  bool ready = false;
};
