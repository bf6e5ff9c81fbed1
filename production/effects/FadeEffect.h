// Fade: a full-screen colour blended over the target. Its opacity is the "alpha" track, or, while
// "fmod" names a band 1 to 63, twice the sum of that band of the music spectrum and its two
// neighbours (the top band, which has no upper neighbour, counts itself twice).
// Depends on: Effect, EffectResources, NdcMatrices, Timer (spectrum through QNVDemosys::timer),
// TrackInterpolate.
#pragma once

#include <vector>

#include "demosys/effect/Effect.h"

class FadeEffect : public Effect {
 public:
  static constexpr int spectrumBands = 64;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  // The opacity for this frame: the alpha track, or the spectrum around the band "fmod" names.
  float opacity(unsigned time);
  float spectrumAround(int band);
  void drawColour();

  TrackInterpolate* alpha = nullptr;
  TrackInterpolate* red = nullptr;
  TrackInterpolate* green = nullptr;
  TrackInterpolate* blue = nullptr;
  TrackInterpolate* fmod = nullptr;
  float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  int spectrumLength = spectrumBands;
  std::vector<float> spectrum;
  bool ready = false;
};
