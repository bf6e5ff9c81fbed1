#include "production/effects/FormationEffect.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

namespace {

constexpr int blockRows = 8;
constexpr int blockColumns = 28;
constexpr int ringFormation = 2;
constexpr float standingHeight = 3.5f;

// A formation track's value as a formation number: its integer part, saturated so that no value
// (NaN included) overflows the conversion; the controller takes out-of-range numbers as the
// nearest formation.
int formationNumber(float value) {
  if (!(value > -1000.0f)) return 0;
  return static_cast<int>(std::floor(std::fmin(value, 1000.0f)));
}

}  // namespace

Effect* FormationEffect::getInstance() { return new FormationEffect(); }

void FormationEffect::registerTracks() {
  for (const char* name : {"from", "to", "duration", "rotate"}) addTrackName(name);
}

void FormationEffect::init() {
  EffectResources look(*this);
  scene = look.sceneOf("droid");
  QNVObject* droid = scene != nullptr ? scene->getObjectByName("Droid") : nullptr;
  if (scene != nullptr && droid == nullptr) std::cout << "FormationEffect: no object \"Droid\"" << std::endl;
  from = look.track("from");
  to = look.track("to");
  duration = look.track("duration");
  rotate = look.track("rotate");
  ready = look.complete() && droid != nullptr;
  if (!ready) return;
  cloneDroids(droid);
  placeRings();
  placeBlock(0, 56.0f);
  placeBlock(1, -56.0f);
  posePhases();
}

// The source stays in the scene, hidden with its parts; only the clones are drawn.
void FormationEffect::cloneDroids(QNVObject* droid) {
  clones.clear();
  for (int i = 0; i < droidCount; ++i) {
    clones.push_back(scene->cloneObjectsRecursive(droid, "clonedroid" + std::to_string(i), nullptr));
  }
  droid->setVisible(false, true);
  scene->calcSceneBBox();
  scene->buildSmartDrawList();
}

// Four rings of 68, 60, 52 and 44 droids facing the centre. The angle runs on from ring to ring;
// each ring is 3.25 closer in and two droids shorter on each side.
void FormationEffect::placeRings() {
  RobotFormation& rings = controller.getFormation(ringFormation);
  int w = 28;
  int h = 8;
  float radius = 42.0f;
  float step = 360.0f / 68.0f;
  float angle = 0.0f;
  int droid = 0;
  while (droid < droidCount) {
    const int ringSize = 2 * (w - 2) + 2 * h;
    for (int j = 0; j < ringSize && droid < droidCount; ++j, ++droid) {
      const double a = static_cast<double>(angle) * 3.14159265358979323846 / 180.0;
      rings.setPosition(droid, Vector3f(radius * std::sin(a), standingHeight, radius * std::cos(a)));
      rings.setRotation(droid, Vector3f(0.0f, 360.0f - static_cast<float>(j) * step + 180.0f, 0.0f));
      angle += step;
    }
    w -= 2;
    h -= 2;
    radius -= 3.25f;
    step = 360.0f / static_cast<float>(2 * (w - 2) + 2 * h);
  }
}

// Rows 4 apart from z = -12, droids 4 apart from firstX, numbered row by row, facing along x.
void FormationEffect::placeBlock(int formation, float firstX) {
  RobotFormation& block = controller.getFormation(formation);
  for (int r = 0; r < blockRows; ++r) {
    for (int c = 0; c < blockColumns; ++c) {
      const int droid = r * blockColumns + c;
      block.setPosition(droid, Vector3f(firstX + 4.0f * c, standingHeight, -12.0f + 4.0f * r));
      block.setRotation(droid, Vector3f(0.0f, 90.0f, 0.0f));
    }
  }
}

// The same phases on every run: the generator is seeded with a fixed number.
void FormationEffect::posePhases() {
  srand(1234);
  phases.resize(droidCount);
  for (float& phase : phases) phase = static_cast<float>(rand() * 4.656613e-10 * 360.0);
}

void FormationEffect::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  glEnable(GL_DEPTH_TEST);
  controller.updatePositions(formationNumber(from->getValue(time)), formationNumber(to->getValue(time)),
                             std::fmod(duration->getValue(time), 1.0f));
  poseClones();
  bob = static_cast<float>(bob + frameDelta * 0.001);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glRotatef(rotate->getValue(time), 0.0f, 1.0f, 0.0f);
  scene->drawInstanced();
  glPopMatrix();
}

void FormationEffect::poseClones() {
  for (int i = 0; i < droidCount; ++i) {
    const Robot& robot = controller.getRobot(i);
    Vector3f position = robot.getPosition();
    position.y() += std::sin(phases[static_cast<size_t>(i)] + bob) * 0.5f;
    clones[static_cast<size_t>(i)]->setGlobalRotation(robot.getRotation(), true);
    clones[static_cast<size_t>(i)]->setGlobalTranslation(position, true);
  }
}
