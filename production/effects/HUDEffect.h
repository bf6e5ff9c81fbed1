// The head-up display drawn over the picture on a fixed perspective of its own: two scrolling
// rulers, two bar meters following the high bands of the left and right spectrum, two ring
// meters following the low bands, and a roaming crosshair. No tracks.
// Depends on: Effect, Ruler, HUDVolumeMeter, HUDVolumeMeterCircle, Crosshair, Timer (the spectrum
// through QNVDemosys::timer), OpenGL.
#pragma once

#include <memory>
#include <vector>

#include "demosys/effect/Effect.h"

class Crosshair;
class HUDVolumeMeter;
class HUDVolumeMeterCircle;
class Ruler;

class HUDEffect : public Effect {
 public:
  static constexpr int spectrumLength = 64;

  HUDEffect();
  ~HUDEffect() override;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

  // The meters' levels for one channel's spectrum: low bands for the rings (at most 23), high
  // bands for the bars (at most 31).
  static int lowLevel(const float* spectrum);
  static int highLevel(const float* spectrum);

  Ruler& getRuler(int index) const { return index == 0 ? *ruler1 : *ruler2; }
  HUDVolumeMeter& getBar(int index) const { return index == 0 ? *leftBar : *rightBar; }
  HUDVolumeMeterCircle& getRing(int index) const { return index == 0 ? *leftRing : *rightRing; }
  Crosshair& getCrosshair() const { return *crosshair; }

 private:
  void readSpectrum();
  void drawInstruments(unsigned frameDelta);

  std::unique_ptr<Ruler> ruler1;
  std::unique_ptr<Ruler> ruler2;
  std::unique_ptr<HUDVolumeMeter> leftBar;
  std::unique_ptr<HUDVolumeMeter> rightBar;
  std::unique_ptr<HUDVolumeMeterCircle> leftRing;
  std::unique_ptr<HUDVolumeMeterCircle> rightRing;
  std::unique_ptr<Crosshair> crosshair;
  float projection[16] = {};
  std::vector<float> left;
  std::vector<float> right;
};
