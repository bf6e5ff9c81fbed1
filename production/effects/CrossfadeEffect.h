// Crossfade: two framebuffers mixed by the shader with the weights of the "factor1" and "factor2"
// tracks.
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, FrameBufferObject.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;

class CrossfadeEffect : public Effect {
 public:
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  Shader* shader = nullptr;
  FrameBufferObject* buffer1 = nullptr;
  FrameBufferObject* buffer2 = nullptr;
  TrackInterpolate* factor1 = nullptr;
  TrackInterpolate* factor2 = nullptr;
  bool ready = false;
};
