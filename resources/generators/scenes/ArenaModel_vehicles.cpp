// The arena's vehicles: two tanks (body, turret and barrel on pivots, tracks, wheels with tyres)
// patrolling the floor, and five jets flying a formation around the arena.
#include <cmath>
#include <string>

#include "resources/generators/scenes/ArenaModel.h"
#include "resources/generators/scenes/MeshShapes.h"
#include "resources/generators/scenes/ModelParts.h"

namespace {

constexpr float degrees = SceneBuilder::degreesPerRadian;

// An outline in the x-z plane, extruded `width` across y and centred on y = 0.
ModelMesh sideProfile(const std::vector<Vector2f>& outline, float width, float bevel) {
  ModelMesh part;
  ModelParts::add(part, MeshShapes::extrude(outline, width, bevel), {{0, width / 2, 0}, {90, 0, 0}});
  return part;
}

std::vector<Vector2f> trackLoop(float halfLength, float radius) {
  std::vector<Vector2f> outline;
  for (int end = 0; end < 2; ++end) {
    const float cx = end == 0 ? halfLength : -halfLength, from = end == 0 ? -90.0f : 90.0f;
    for (int i = 0; i <= 6; ++i) {
      const float a = (from + i * 30.0f) / degrees;
      outline.push_back(Vector2f(cx + radius * std::cos(a), radius + radius * std::sin(a)));
    }
  }
  return outline;
}

struct TankMeshes {
  int hull, track, wheel, tyre, turret, barrel, lights;
};

TankMeshes tankMeshes(SceneBuilder& b) {
  TankMeshes m;
  m.hull = ModelParts::finish(b, "tank hull",
                              sideProfile({{-4, 0.8f}, {3.2f, 0.8f}, {4.2f, 1.6f}, {3.6f, 2.3f}, {-3.8f, 2.3f}, {-4.2f, 1.6f}}, 3.4f, 0.1f), 35);
  m.track = ModelParts::finish(b, "tank track", sideProfile(trackLoop(3.6f, 0.8f), 0.9f, 0.0f), 35);
  m.wheel = ModelParts::finish(b, "tank wheel", ModelParts::rod(0.5f, 0.2f, 10, 1), 40);
  ModelMesh tyre;
  ModelParts::add(tyre, MeshShapes::torus(0.55f, 0.16f, 12, 6), {{}, {90, 0, 0}});
  m.tyre = ModelParts::finish(b, "tank tyre", tyre, 60);
  ModelMesh turret = MeshShapes::revolve({{0, 0}, {1.9f, 0}, {1.85f, 0.6f}, {1.3f, 1.05f}, {0, 1.15f}}, 16);
  ModelParts::add(turret, MeshShapes::box({1.6f, 2.4f, 0.9f}, 0.15f), {{-1.9f, 0, 0.45f}, {}});
  m.turret = ModelParts::finish(b, "tank turret", turret, 40);
  ModelMesh barrel;
  ModelParts::add(barrel, ModelParts::rod(0.2f, 5.0f, 10, 0), {{2.5f, 0, 0}, {}});
  ModelParts::add(barrel, ModelParts::rod(0.34f, 0.7f, 10, 0), {{4.8f, 0, 0}, {}});
  ModelParts::add(barrel, MeshShapes::box({0.8f, 1.1f, 0.8f}, 0.1f), {{0.2f, 0, 0}, {}});
  m.barrel = ModelParts::finish(b, "tank barrel", barrel, 40);
  ModelMesh lights;
  for (float y : {1.2f, -1.2f}) ModelParts::add(lights, MeshShapes::box({0.2f, 0.6f, 0.3f}), {{-4.25f, y, 1.9f}, {}});
  m.lights = ModelParts::finish(b, "tank lights", lights, 30);
  return m;
}

// Heading (degrees about z, 0 along +x) of a direction in the floor plane.
float heading(float dx, float dy) { return std::atan2(dy, dx) * degrees; }

}  // namespace

void ArenaModel::buildTank(SceneBuilder& b, const char* suffix, float side) {
  static TankMeshes meshes;  // both tanks share their meshes
  if (side > 0) meshes = tankMeshes(b);
  const int hullPaint = b.material("TankHull", {0.7f, 0.75f, 0.6f}, "camo.png");
  const std::string s = suffix;
  const int body = b.object("TankBody" + s, meshes.hull, hullPaint, SceneBuilder::root);
  for (int right = 0; right < 2; ++right) {
    const float y = right == 0 ? 2.15f : -2.15f;
    const std::string tag = right == 0 ? "L" : "R";
    b.object("TankTrack" + tag + s, meshes.track, b.material("TankTracks", {0.5f, 0.5f, 0.5f}, "tracks.png"), body, {{0, y, 0}, {}});
    for (int w = 0; w < 4; ++w) {
      const Pose at{{-2.7f + w * 1.8f, y * 1.24f, 0.8f}, {}};
      const int wheel = b.object("TankWheel" + tag + std::to_string(w) + s, meshes.wheel, b.material("Wheel", {0.6f, 0.6f, 0.55f}), body, at);
      b.object("TankTyre" + tag + std::to_string(w) + s, meshes.tyre, b.material("Tyre", {0.08f, 0.08f, 0.08f}), wheel);
    }
  }
  b.object("TankLights" + s, meshes.lights, b.material("RedGlow", {}), body);
  const Pose turretPivot{{-0.6f, 0, 2.3f}, {}};
  const int turret = b.object("TankTurret" + s, meshes.turret, hullPaint, body, turretPivot);
  const Pose barrelPivot{{1.5f, 0, 0.55f}, {}};
  const int barrel = b.object("TankBarrel" + s, meshes.barrel, b.material("GunMetal", {0.3f, 0.3f, 0.32f}), turret, barrelPivot);

  // Each tank drives an ellipse on its half of the floor in 24 seconds, swinging its turret and
  // raising its barrel; every key carries the pivot's position because a key replaces the pose.
  std::vector<PoseKey> drive, swing, raise;
  const float turretAngles[] = {0, 40, -30, 60, 0, -45, 0};
  const float barrelAngles[] = {0, -12, -4, -20, -8, -15, 0};
  for (unsigned k = 0; k <= 6; ++k) {
    const float a = side * k * 60.0f / degrees;
    const Vector3f at(side * -30.0f + 22.0f * std::cos(a), side * -20.0f + 10.0f * std::sin(a), 0);
    float face = heading(-22.0f * std::sin(a) * side, 10.0f * std::cos(a) * side);
    if (!drive.empty()) face = SceneBuilder::nearestTurn(face, drive.back().pose.rotation[2]);
    drive.push_back({k * 4, {at, {0, 0, face}}});
    swing.push_back({k * 4, {turretPivot.position, {0, 0, turretAngles[k] * side}}});
    raise.push_back({k * 4, {barrelPivot.position, {0, barrelAngles[k], 0}}});
  }
  b.animate(body, drive);
  b.animate(turret, swing);
  b.animate(barrel, raise);
}

void ArenaModel::buildJets(SceneBuilder& b) {
  ModelMesh jet;
  ModelParts::add(jet, MeshShapes::revolve({{0, 0}, {0.3f, 0.7f}, {0.55f, 2.0f}, {0.6f, 4.5f}, {0.5f, 6.0f}, {0, 6.4f}}, 10),
                  {{3.2f, 0, 0}, {0, -90, 0}});
  ModelParts::add(jet, MeshShapes::extrude({{1.5f, 0}, {-2.0f, 4.5f}, {-2.8f, 4.5f}, {-2.6f, 0}, {-2.8f, -4.5f}, {-2.0f, -4.5f}}, 0.15f),
                  {{0, 0, -0.1f}, {}});
  ModelParts::add(jet, sideProfile({{-3.2f, 0}, {-1.8f, 0}, {-2.8f, 1.9f}, {-3.4f, 1.9f}}, 0.12f, 0.0f), {});
  ModelParts::add(jet, MeshShapes::capsule(0.35f, 1.6f, 8), {{1.2f, 0, 0.45f}, {0, 90, 0}});  // canopy
  const int jetMesh = ModelParts::finish(b, "jet", jet, 40);
  ModelMesh nozzle;
  ModelParts::add(nozzle, ModelParts::rod(0.42f, 0.3f, 10, 0), {{-3.3f, 0, 0}, {}});
  const int glowMesh = ModelParts::finish(b, "jet glow", nozzle, 40);
  const int paint = b.material("JetBody", {0.55f, 0.6f, 0.68f}, "hull.png");

  // A V of five jets circling the arena once in 36 seconds, banking into the turn.
  const float lateral[] = {0, 6, -6, 12, -12}, behind[] = {0, 7, 7, 14, 14};
  for (int j = 0; j < 5; ++j) {
    const std::string name = "Jet" + std::to_string(j + 1);
    const int node = b.object(name, jetMesh, paint, SceneBuilder::root);
    b.object(name + "Glow", glowMesh, b.material("RedGlow", {}), node);
    std::vector<PoseKey> keys;
    const float radius = 78.0f + lateral[j];
    for (unsigned k = 0; k <= 12; ++k) {
      const float angle = k * 30.0f - behind[j] / radius * degrees;
      const float a = angle / degrees;
      keys.push_back({k * 3, {{radius * std::cos(a), radius * std::sin(a), 55.0f + j * 0.8f}, {-25, 0, angle + 90.0f}}});
    }
    b.animate(node, keys);
  }
}
