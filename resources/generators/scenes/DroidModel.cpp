#include "resources/generators/scenes/DroidModel.h"

#include "resources/generators/scenes/MeshShapes.h"
#include "resources/generators/scenes/ModelParts.h"

void DroidModel::build(SceneBuilder& b) {
  const int plating = b.material("DroidPlating", {0.75f, 0.8f, 0.9f}, "robot.png");
  const int joints = b.material("DroidJoint", {0.35f, 0.36f, 0.4f});
  const int body = b.object("Droid", ModelParts::finish(b, "droid body",
                                                        MeshShapes::revolve({{0, -1.8f}, {1.0f, -1.8f}, {1.35f, -0.9f}, {1.4f, 0.4f}, {1.05f, 1.3f}, {0, 1.45f}}, 8), 50),
                            plating, SceneBuilder::root);
  // The formations pose every part of a clone with the droid's own matrix, so each part is
  // modelled in place in the droid's frame and its node carries no offset.
  ModelMesh head;
  ModelParts::add(head, MeshShapes::box({1.5f, 1.4f, 1.2f}, 0.25f), {{0, 0, 2.2f}, {}});
  ModelParts::add(head, MeshShapes::box({0.08f, 0.08f, 0.9f}), {{0.4f, -0.2f, 3.2f}, {}});  // antenna
  b.object("DroidHead", ModelParts::finish(b, "droid head", head, 35), plating, body);
  ModelMesh eyes;
  for (float x : {0.35f, -0.35f}) ModelParts::add(eyes, MeshShapes::box({0.38f, 0.1f, 0.22f}), {{x, 0.72f, 2.3f}, {}});
  ModelParts::add(eyes, MeshShapes::box({0.16f, 0.16f, 0.16f}), {{0.4f, -0.2f, 3.7f}, {}});
  b.object("DroidEyes", ModelParts::finish(b, "droid eyes", eyes, 30), b.material("RedGlow", {1.0f, 0.1f, 0.05f}), body);
  ModelMesh chest;
  ModelParts::add(chest, MeshShapes::box({1.5f, 0.3f, 1.3f}, 0.1f), {{0, 1.45f, 0.1f}, {-8, 0, 0}});
  b.object("DroidChest", ModelParts::finish(b, "droid chest", chest, 30), b.material("TorsoFrontSurface", {0.85f, 0.85f, 0.9f}, "hull.png"), body);
  ModelMesh arms;
  for (float side : {1.0f, -1.0f}) ModelParts::add(arms, MeshShapes::box({0.5f, 0.5f, 2.3f}), {{side * 1.6f, 0.1f, -0.2f}, {0, side * 10.0f, 0}});
  b.object("DroidArms", ModelParts::finish(b, "droid arms", arms, 30), joints, body);
  ModelMesh thruster;
  ModelParts::add(thruster, MeshShapes::cone(0.9f, 1.2f, 8), {{0, 0, -1.75f}, {180, 0, 0}});
  b.object("DroidThruster", ModelParts::finish(b, "droid thruster", thruster, 40), joints, body);
  addPreviewRig(b, 7.0f);
}

void DroidModel::addPreviewRig(SceneBuilder& b, float size) {
  b.light("Key", {0.9f, 0.88f, 0.8f}, {0.6f, 1.0f, 1.2f});
  b.light("Fill", {0.3f, 0.32f, 0.45f}, {-1.0f, -0.3f, 0.4f});
  const Vector3f centre;
  b.camera("PreviewFront", {{0, {0.3f * size, 1.3f * size, 0.2f * size}, centre}});
  b.camera("PreviewSide", {{0, {1.3f * size, 0.3f * size, 0.1f * size}, centre}});
  b.camera("PreviewAbove", {{0, {-0.8f * size, 0.8f * size, 1.0f * size}, centre}});
}
