// The arena's numbered meters ("V0", "V1", ...) jump up with the music and sink back at 0.05 per
// millisecond, never below their rest height 1 by sinking: meter k follows band 3k of the left
// spectrum, relative to the loudest that band has been, times the track "volsize". The meters'
// parent "Volumeters" is shown only while this effect is active; whatever draws the arena scene
// in between draws them through their scale shader instances.
// Depends on: Effect, EffectResources, ScaleVolumMeterShader, QNVScene, QNVObject, Timer (the
// spectrum through QNVDemosys::timer), TrackInterpolate.
#pragma once

#include <vector>

#include "demosys/effect/Effect.h"

class QNVObject;
class QNVScene;
class ScaleVolumMeterShader;

class VolumMetersEffect : public Effect {
 public:
  static constexpr int spectrumLength = 64;
  // Meter k reads band 3k, so only this many meters have a band.
  static constexpr int mostMeters = (spectrumLength + 2) / 3;

  void registerTracks() override;
  void init() override;
  void predraw(unsigned time) override;
  void draw(unsigned time, unsigned frameDelta) override;
  void postdraw(unsigned time) override;
  void reset() override {}
  Effect* getInstance() override;

  // The meters' scale instances in meter order (null where a meter has none).
  const std::vector<ScaleVolumMeterShader*>& getMeters() const { return meters; }

 private:
  void collectMeters(QNVScene& scene);
  void readLevels(unsigned time);

  std::vector<ScaleVolumMeterShader*> meters;
  QNVObject* volumeters = nullptr;
  std::vector<float> values;
  std::vector<float> levels;
  std::vector<float> peaks;
  TrackInterpolate* volsize = nullptr;
  bool ready = false;
};
