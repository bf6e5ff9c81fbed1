// Pixelate: a framebuffer redrawn in coarse blocks by the "pixelate" shader, the block count
// animated by the "pixel_size" track.
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, FrameBufferObject.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;

class PixelateEffect : public Effect {
 public:
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  Shader* shader = nullptr;
  FrameBufferObject* source = nullptr;
  TrackInterpolate* pixelSize = nullptr;
  bool ready = false;
};
