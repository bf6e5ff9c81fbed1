#include "resources/generators/scenes/MasterDroidModel.h"

#include <string>

#include "resources/generators/scenes/DroidModel.h"
#include "resources/generators/scenes/MeshShapes.h"
#include "resources/generators/scenes/ModelParts.h"

namespace {

constexpr float cage = 11.0f;  // half the cube's side

struct ArmMeshes {
  int shoulder, upper, lower, hand;
};

// One arm, each segment on a pivot at its joint; both arms share the meshes.
void arm(SceneBuilder& b, const ArmMeshes& m, int parent, const std::string& side, float sign, int plating, int joints) {
  const int shoulder = b.object("MasterShoulder" + side, m.shoulder, plating, parent, {{sign * 4.0f, 0, 2.6f}, {0, sign * 12.0f, 0}});
  const int up = b.object("MasterArmUpper" + side, m.upper, joints, shoulder, {{0, 0, -1.9f}, {}});
  const int elbow = b.object("MasterArmLower" + side, m.lower, plating, up, {{0, 0.4f, -3.3f}, {25, 0, 0}});
  b.object("MasterHand" + side, m.hand, joints, elbow, {{0, 0, -2.3f}, {}});
}

ModelMesh glowingParts() {
  ModelMesh glow;
  for (float x : {0.8f, -0.8f}) ModelParts::add(glow, MeshShapes::box({1.0f, 0.2f, 0.45f}, 0.08f), {{x, 2.3f, 6.7f}, {}});  // eyes
  for (int i = 0; i < 3; ++i) ModelParts::add(glow, MeshShapes::sphere(0.28f, 8, 4), {{-1.0f + i * 1.0f, 3.85f, 1.0f}, {}});
  ModelParts::add(glow, MeshShapes::torus(2.0f, 0.22f, 20, 6), {{0, 0, -4.9f}, {}});  // thruster ring
  ModelParts::add(glow, MeshShapes::sphere(0.35f, 8, 4), {{0, 0, 10.8f}, {}});         // antenna tip
  return glow;
}

void wireCube(SceneBuilder& b, int parent, int wire) {
  const int cube = b.group("WireRoboCube", parent);
  const int bar = ModelParts::finish(b, "wire bar", ModelParts::rod(0.12f, 2 * cage, 6, 0), 40);
  const int knob = ModelParts::finish(b, "wire knob", MeshShapes::sphere(0.4f, 8, 4), 60);
  // Four edges along each axis, turned from the bar along x.
  const Vector3f turns[3] = {{0, 0, 0}, {0, 0, 90}, {0, -90, 0}};
  int edge = 0;
  for (int axis = 0; axis < 3; ++axis) {
    for (int corner = 0; corner < 4; ++corner) {
      Vector3f at(corner & 1 ? cage : -cage, corner & 2 ? cage : -cage, 0);
      at = axis == 0 ? Vector3f(0, at[0], at[1]) : axis == 1 ? Vector3f(at[0], 0, at[1]) : at;
      b.object("WireEdge" + std::to_string(edge++), bar, wire, cube, {at, turns[axis]});
    }
  }
  for (int c = 0; c < 8; ++c) {
    const Vector3f at(c & 1 ? cage : -cage, c & 2 ? cage : -cage, c & 4 ? cage : -cage);
    b.object("WireCorner" + std::to_string(c), knob, wire, cube, {at, {}});
  }
}

}  // namespace

void MasterDroidModel::build(SceneBuilder& b) {
  const int plating = b.material("MasterPlating", {0.7f, 0.75f, 0.88f}, "robot.png");
  const int joints = b.material("MasterJoint", {0.3f, 0.31f, 0.35f});
  const std::vector<Vector2f> torso = {{0, -4.6f}, {2.0f, -4.6f}, {3.0f, -3.2f}, {3.5f, -1.0f}, {3.6f, 1.5f},
                                       {3.3f, 3.2f}, {2.2f, 4.2f}, {0, 4.4f}};
  const int body = b.object("MasterDroid", ModelParts::finish(b, "master torso", MeshShapes::revolve(torso, 24), 45), plating,
                            SceneBuilder::root);
  ModelMesh chest = MeshShapes::extrude({{-2.2f, 0}, {2.2f, 0}, {2.6f, 2.6f}, {0, 3.6f}, {-2.6f, 2.6f}}, 0.5f, 0.12f);
  ModelMesh plate;
  ModelParts::add(plate, chest, {{0, 3.3f, -0.6f}, {90, 0, 180}});
  b.object("MasterChest", ModelParts::finish(b, "master chest", plate, 35), b.material("TorsoFrontSurface", {0.9f, 0.9f, 0.95f}, "hull.png"),
           body);
  ModelMesh head = MeshShapes::revolve({{0, 0}, {1.9f, 0}, {2.1f, 1.2f}, {1.9f, 2.4f}, {1.2f, 3.2f}, {0, 3.4f}}, 20);
  ModelParts::add(head, MeshShapes::box({2.8f, 0.5f, 0.9f}, 0.15f), {{0, 1.85f, 1.45f}, {}});  // visor
  ModelParts::add(head, MeshShapes::cylinder(0.12f, 2.6f, 6), {{0, 0, 3.2f}, {}});              // antenna
  b.object("MasterHead", ModelParts::finish(b, "master head", head, 40), plating, body, {{0, 0, 5.0f}, {}});
  const ArmMeshes arms{ModelParts::finish(b, "master shoulder", MeshShapes::sphere(1.3f, 14, 8), 60),
                       ModelParts::finish(b, "master upper arm", MeshShapes::capsule(0.7f, 3.6f, 12), 40),
                       ModelParts::finish(b, "master forearm", MeshShapes::box({1.3f, 1.3f, 3.4f}, 0.3f), 35),
                       ModelParts::finish(b, "master hand", MeshShapes::box({1.0f, 1.4f, 1.0f}, 0.25f), 35)};
  arm(b, arms, body, "R", 1.0f, plating, joints);
  arm(b, arms, body, "L", -1.0f, plating, joints);
  ModelMesh thruster;
  ModelParts::add(thruster, MeshShapes::revolve({{0, 0}, {2.2f, 0}, {1.6f, 1.4f}, {0.8f, 1.8f}, {0, 1.8f}}, 20), {{0, 0, -4.5f}, {180, 0, 0}});
  b.object("MasterThruster", ModelParts::finish(b, "master thruster", thruster, 40), joints, body);
  b.object("GlowingParts", ModelParts::finish(b, "glowing parts", glowingParts(), 50), b.material("RedGlow", {1.0f, 0.1f, 0.05f}), body);
  wireCube(b, body, b.material("WireFrame", {0.2f, 0.9f, 1.0f}));
  DroidModel::addPreviewRig(b, 16.0f);
}
