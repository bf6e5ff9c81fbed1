// Test helper: a small scene using every record kind, and its bytes as SceneWriter writes them.
#pragma once

#include <memory>
#include <string>

#include "demosys/scene/SceneDescription.h"
#include "demosys/scene/SceneWriter.h"
#include "qnvutils/File.h"

// A unit cube, 12 triangles of (position, normal, texture coordinate) tuples.
inline SceneMesh sampleCube(int id, const std::string& name) {
  SceneMesh mesh;
  mesh.id = id;
  mesh.name = name;
  for (int i = 0; i < 8; ++i) {
    mesh.positions.push_back(Vector3f(i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f));
  }
  mesh.normals = {Vector3f(-1, 0, 0), Vector3f(1, 0, 0), Vector3f(0, -1, 0),
                  Vector3f(0, 1, 0),  Vector3f(0, 0, -1), Vector3f(0, 0, 1)};
  mesh.texCoords = {Vector2f(0, 0), Vector2f(1, 0), Vector2f(1, 1), Vector2f(0, 1)};
  // Per face: the normal and four corners, counter-clockwise seen from outside.
  const int faces[6][5] = {{0, 0, 4, 6, 2}, {1, 1, 3, 7, 5}, {2, 0, 1, 5, 4},
                           {3, 2, 6, 7, 3}, {4, 0, 2, 3, 1}, {5, 4, 5, 7, 6}};
  for (const auto& f : faces) {
    const int corners[6] = {1, 2, 3, 1, 3, 4};
    const int uvs[6] = {0, 1, 2, 0, 2, 3};
    for (int k = 0; k < 6; ++k) mesh.addTuple(f[corners[k]], f[0], uvs[k]);
  }
  mesh.computeBBox();
  return mesh;
}

inline SceneNode sampleNode(int id, int type, int parent, int reference, const std::string& name,
                            const Vector3f& at, int material = -1) {
  SceneNode node;
  node.id = id;
  node.type = type;
  node.parentId = parent;
  node.reference = reference;
  node.name = name;
  node.matrix.setTranslation(at);
  node.materialId = material;
  return node;
}

inline SceneDescription sampleScene() {
  SceneDescription scene;
  scene.meshes.push_back(sampleCube(7, "cube"));
  scene.textures.push_back({3, "checker", "checker.png"});
  scene.materials.push_back({5, "paint", Vector3f(0.1f, 0.2f, 0.3f), Vector3f(0.4f, 0.5f, 0.6f), 3});
  scene.lights.push_back({9, 1, Vector3f(1.0f, 0.9f, 0.8f)});
  scene.nodes.push_back(sampleNode(1, SCENE_NODE_EMPTY, -1, 0, "pivot", Vector3f(0, 2, 0)));
  scene.nodes.push_back(sampleNode(2, SCENE_NODE_MESH, 1, 7, "left", Vector3f(1, 0, 0), 5));
  scene.nodes.push_back(sampleNode(3, SCENE_NODE_MESH, 1, 7, "right", Vector3f(-1, 0, 0), 5));
  scene.nodes.push_back(sampleNode(4, SCENE_NODE_CAMERA, 0, 0, "view", Vector3f(0, -8, 1)));
  scene.nodes.push_back(sampleNode(6, SCENE_NODE_LIGHT, 0, 9, "sun", Vector3f(0, 0, 5)));
  SceneAnimation spin{SCENE_TARGET_OBJECT, 2, {0.0f, 1.0f, 2.7f}, {}, {}};
  spin.translations = {Vector3f(1, 0, 0), Vector3f(2, 0, 0), Vector3f(3, 0, 0)};
  spin.rotations = {Vector3f(0, 0, 0), Vector3f(10, 20, 30), Vector3f(40, 50, 60)};
  scene.animations.push_back(spin);
  SceneAnimation dolly{SCENE_TARGET_CAMERA, 4, {-1.0f, 3.0f}, {}, {}};
  dolly.translations = {Vector3f(0, -8, 1), Vector3f(0, -4, 1)};
  dolly.rotations = {Vector3f(0, 0, 0), Vector3f(0, 0, 90)};
  scene.animations.push_back(dolly);
  return scene;
}

inline std::unique_ptr<File> sceneFile(const SceneDescription& scene, const std::string& name = "s.bin") {
  auto file = std::make_unique<File>(name);
  SceneWriter::writeScene(scene, *file);
  file->exists(true);
  return file;
}

inline std::unique_ptr<File> keyframeFile(const SceneDescription& scene, const std::string& name = "s.bin.kf") {
  auto file = std::make_unique<File>(name);
  SceneWriter::writeKeyframes(scene, *file);
  file->exists(true);
  return file;
}
