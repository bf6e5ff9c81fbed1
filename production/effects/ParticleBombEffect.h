// The tanks' bombardment: the arena's two tanks drive, turn their turrets and raise their
// barrels on clocks the tracks "base.anim", "top.anim" and "tube.anim" (and "...2.anim" for the
// second tank) set, in seconds of their keyframes; "boom" (0 to 1 over one shot) fires both guns:
// a cone of rays leaves each muzzle and a burst of rays opens where the shell lands, fading as
// "boom" runs on. Drawn in the current view (the arena effect's camera), additively; the tanks
// themselves are drawn with the arena.
// Depends on: Effect, EffectResources, QNVScene, QNVObject, QNVAnimTimer, Matrix, OpenGL.
#pragma once

#include <array>
#include <vector>

#include "demosys/effect/Effect.h"
#include "demosys/math/Vector.h"
#include "demosys/scene/QNVAnimTimer.h"

class QNVObject;
class QNVScene;

class ParticleBombEffect : public Effect {
 public:
  static constexpr int partCount = 6;
  static constexpr int rayCount = 48;

  void registerTracks() override;
  void init() override;
  void predraw(unsigned time) override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

  const QNVAnimTimer& getTimer(int part) const { return timers[static_cast<size_t>(part)]; }

 private:
  void drawRays(const QNVObject& barrel, float boom) const;

  QNVScene* scene = nullptr;
  std::array<QNVAnimTimer, partCount> timers;
  std::array<TrackInterpolate*, partCount> clocks{};
  std::array<QNVObject*, 2> barrels{};
  TrackInterpolate* boom = nullptr;
  // Unit directions of the rays, fixed at init so every frame of one shot looks the same.
  std::vector<Vector3f> directions;
  bool ready = false;
};
