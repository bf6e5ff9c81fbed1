// 224 clones of the droid model moving between three stored formations, two blocks of 8 rows of
// 28 on either side and four concentric rings, blended by the tracks "from", "to" and "duration"
// (its fractional part), each droid bobbing on its own phase, the whole turned by "rotate".
// Drawn through the scene's instanced path.
// Depends on: Effect, EffectResources, RobotController, QNVScene, QNVObject, TrackInterpolate,
// OpenGL.
#pragma once

#include <memory>
#include <vector>

#include "demosys/effect/Effect.h"
#include "production/effects/RobotController.h"

class QNVObject;
class QNVScene;

class FormationEffect : public Effect {
 public:
  static constexpr int droidCount = 224;
  static constexpr int formationCount = 3;

  void registerTracks() override;
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

  RobotController& getController() { return controller; }
  QNVObject* getClone(int i) const { return clones[static_cast<size_t>(i)]; }
  // 0 until init() has made the clones.
  int getCloneCount() const { return static_cast<int>(clones.size()); }

 private:
  void cloneDroids(QNVObject* droid);
  void placeRings();
  void placeBlock(int formation, float firstX);
  void posePhases();
  void poseClones();

  QNVScene* scene = nullptr;
  std::vector<QNVObject*> clones;
  RobotController controller{droidCount, formationCount};
  std::vector<float> phases;
  float bob = 0.0f;
  TrackInterpolate* from = nullptr;
  TrackInterpolate* to = nullptr;
  TrackInterpolate* duration = nullptr;
  TrackInterpolate* rotate = nullptr;
  bool ready = false;
};
