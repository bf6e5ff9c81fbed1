// Camera lens: sets the field of view of the shared screen metrics from the "track_fov" track
// (degrees) before anything draws, so the views set up after it use that lens. Draws nothing.
// Depends on: Effect, EffectResources, QNVDemosys / ScreenMetrics, TrackInterpolate.
#pragma once

#include "demosys/effect/Effect.h"

class CameraLensEffect : public Effect {
 public:
  void init() override;
  void predraw(unsigned time) override;
  void draw(unsigned time, unsigned frameDelta) override;
  void postdraw(unsigned time) override;
  void reset() override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  TrackInterpolate* fov = nullptr;
};
