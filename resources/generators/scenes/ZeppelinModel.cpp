#include "resources/generators/scenes/ZeppelinModel.h"

#include <cmath>

#include "resources/generators/scenes/MeshShapes.h"
#include "resources/generators/scenes/ModelParts.h"

namespace {

constexpr float length = 34.0f;

ModelMesh envelope() {
  ModelMesh hull;
  const std::vector<Vector2f> profile = {{0, 0},     {2.5f, 0.6f}, {4.5f, 2.5f}, {5.8f, 6},
                                         {6, 12},    {5.6f, 20},   {4.4f, 27},   {2.6f, 31.5f}, {0, length}};
  // Revolved about z and laid along x, nose forward (+x).
  ModelParts::add(hull, MeshShapes::revolve(profile, 24), {{length / 2, 0, 0}, {0, -90, 0}});
  return hull;
}

ModelMesh fins() {
  ModelMesh fin;
  ModelMesh one;
  ModelParts::add(one, MeshShapes::extrude({{-17, 0}, {-11, 0}, {-15.5f, 6.8f}, {-18, 6.8f}}, 0.3f), {{0, 0.15f, 0}, {90, 0, 0}});
  for (int i = 0; i < 4; ++i) ModelParts::add(fin, one, {{}, {i * 90.0f, 0, 0}});
  return fin;
}

ModelMesh gondolaAndEngines() {
  ModelMesh part = MeshShapes::box({8, 3, 2.2f}, 0.4f);
  ModelMesh out;
  ModelParts::add(out, part, {{1, 0, -6.6f}, {}});
  for (float y : {4.8f, -4.8f}) {
    ModelParts::add(out, MeshShapes::capsule(0.8f, 3.4f, 10), {{-2, y, -4.6f}, {0, 90, 0}});
    ModelParts::add(out, MeshShapes::box({0.4f, 2.2f, 0.3f}), {{-2, y * 0.75f, -4.2f}, {}});  // struts
  }
  return out;
}

ModelMesh display() {
  ModelMesh panels;
  // Flat panels standing just off both flanks, reading from nose to tail on either side.
  ModelParts::quad(panels, {-9, -6.05f, -1.8f}, {16, 0, 0}, {0, 0, 3.6f});
  ModelParts::quad(panels, {7, 6.05f, -1.8f}, {-16, 0, 0}, {0, 0, 3.6f});
  return panels;
}

}  // namespace

int ZeppelinModel::build(SceneBuilder& b, int parent) {
  const int skin = b.material("Envelope", {0.78f, 0.78f, 0.82f}, "hull.png");
  const int balloon = b.object("Ballong", ModelParts::finish(b, "envelope", envelope(), 50), skin, parent);
  b.object("BallongFins", ModelParts::finish(b, "fins", fins(), 30), b.material("FinPaint", {0.6f, 0.1f, 0.08f}), balloon);
  b.object("BallongGondola", ModelParts::finish(b, "gondola", gondolaAndEngines(), 40), b.material("Gondola", {0.35f, 0.36f, 0.4f}), balloon);
  b.object("Display", ModelParts::finish(b, "display", display(), 0), b.material("LedDisplay", {1, 1, 1}, "led_display.png", 1.0f), balloon);
  b.animate(balloon, path());
  return balloon;
}

std::vector<PoseKey> ZeppelinModel::path() {
  std::vector<PoseKey> keys;
  for (unsigned k = 0; k <= 12; ++k) {
    const float angle = -static_cast<float>(k) * 30.0f;  // clockwise seen from above
    const float a = angle / SceneBuilder::degreesPerRadian;
    keys.push_back({k * 5, {{50.0f * std::cos(a), 50.0f * std::sin(a), 74.0f}, {0, 0, angle - 90.0f}}});
  }
  return keys;
}
