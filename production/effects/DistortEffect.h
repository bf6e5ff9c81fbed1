// Distort: noisy video distortion of one of four framebuffers, chosen per frame by the "source"
// track (2, 3, 4 pick "offscreen2" to "offscreen4", anything else "offscreen"), through the
// "distort" shader with horizontal stripe and noise textures whose noise advances with time.
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, FrameBufferObject,
// Texture.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;
class Texture;

class DistortEffect : public Effect {
 public:
  // Noise frames advanced per millisecond of frame time.
  static constexpr float noisePerMs = 0.001f;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  // The source framebuffer's index for a "source" value: 0 for "offscreen", 1 to 3 for
  // "offscreen2" to "offscreen4" (values strictly inside (1.5, 2.5), (2.5, 3.5), (3.5, 4.5)).
  static int sourceIndex(float value);
  void setUniforms(FrameBufferObject* source);

  Shader* shader = nullptr;
  Texture* hstripes = nullptr;
  Texture* noise = nullptr;
  FrameBufferObject* sources[4] = {nullptr, nullptr, nullptr, nullptr};
  TrackInterpolate* sourceTrack = nullptr;
  float noiseFrame = 0.0f;
  float hNoiseFrame = 0.0f;
  bool ready = false;
};
