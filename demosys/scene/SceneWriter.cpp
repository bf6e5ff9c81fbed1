// SceneWriter: the scene and keyframe formats, field by field.
#include "demosys/scene/SceneWriter.h"

#include <cstdio>

#include "qnvutils/File.h"

namespace {

void putInt(File& out, int value) { out.put(static_cast<int32_t>(value)); }

// Strings end with a zero byte.
void putString(File& out, const std::string& text) {
  out.put(text);
  out.put(static_cast<unsigned char>(0));
}

template <int N>
void putVector(File& out, const Vector<float, N>& v) {
  for (int i = 0; i < N; ++i) out.put(v[i]);
}

void putMatrix(File& out, const Matrix& m) {
  for (int i = 0; i < 16; ++i) out.put(m[i]);
}

void putMesh(File& out, const SceneMesh& mesh) {
  putInt(out, mesh.id);
  putString(out, mesh.name);
  putInt(out, static_cast<int>(mesh.positions.size()));
  putInt(out, mesh.positionOffset);
  putInt(out, static_cast<int>(mesh.normals.size()));
  putInt(out, mesh.normalOffset);
  putInt(out, static_cast<int>(mesh.texCoords.size()));
  putInt(out, mesh.texCoordOffset);
  putInt(out, static_cast<int>(mesh.indices.size()));
  putVector(out, mesh.bboxMin);
  putVector(out, mesh.bboxMax);
  for (const Vector3f& p : mesh.positions) putVector(out, p);
  for (const Vector3f& n : mesh.normals) putVector(out, n);
  for (const Vector2f& uv : mesh.texCoords) putVector(out, uv);
  for (int index : mesh.indices) putInt(out, index);
}

void putMaterial(File& out, const SceneMaterial& material) {
  putInt(out, material.id);
  putString(out, material.name);
  putVector(out, material.ambient);
  out.put(1.0f);
  putVector(out, material.diffuse);
  out.put(1.0f);
  putInt(out, material.textureId);
}

void putNode(File& out, const SceneNode& node) {
  putInt(out, node.id);
  putInt(out, node.type);
  if (node.type < SCENE_NODE_EMPTY || node.type > SCENE_NODE_LIGHT) return;
  if (node.type != SCENE_NODE_EMPTY) putInt(out, node.reference);
  putInt(out, node.parentId);
  putString(out, node.name);
  putMatrix(out, node.matrix);
  if (node.type == SCENE_NODE_MESH) putInt(out, node.materialId);
  if (node.type == SCENE_NODE_CAMERA || node.type == SCENE_NODE_LIGHT) putInt(out, 0);
}

void putAnimation(File& out, const SceneAnimation& animation) {
  putInt(out, static_cast<int>(animation.times.size()));
  putInt(out, animation.targetType);
  putInt(out, static_cast<int>(animation.targetId));
  for (float time : animation.times) out.put(time);
  for (const Vector3f& t : animation.translations) putVector(out, t);
  // Rotations are planar: every key's x, then every y, then every z.
  for (int axis = 0; axis < 3; ++axis) {
    for (const Vector3f& r : animation.rotations) out.put(r[axis]);
  }
}

template <typename Fill>
bool writeFile(const std::string& path, Fill fill, std::string& error) {
  File out(path, File::MODE_WRITE_TRUNCATE);
  fill(out);
  if (out.write()) return true;
  error = "Cannot write '" + path + "'";
  return false;
}

}  // namespace

void SceneWriter::writeScene(const SceneDescription& scene, File& out) {
  putInt(out, 1);
  putInt(out, static_cast<int>(scene.meshes.size()));
  for (const SceneMesh& mesh : scene.meshes) putMesh(out, mesh);
  putInt(out, static_cast<int>(scene.textures.size()));
  for (const SceneTexture& texture : scene.textures) {
    putInt(out, texture.id);
    putString(out, texture.name);
    putString(out, texture.file);
  }
  putInt(out, static_cast<int>(scene.materials.size()));
  for (const SceneMaterial& material : scene.materials) putMaterial(out, material);
  putInt(out, static_cast<int>(scene.lights.size()));
  for (const SceneLight& light : scene.lights) {
    putInt(out, light.id);
    putInt(out, light.type);
    putVector(out, light.color);
  }
  putInt(out, static_cast<int>(scene.nodes.size()));
  for (const SceneNode& node : scene.nodes) putNode(out, node);
}

void SceneWriter::writeKeyframes(const SceneDescription& scene, File& out) {
  putInt(out, 1);
  putInt(out, static_cast<int>(scene.animations.size()));
  for (const SceneAnimation& animation : scene.animations) putAnimation(out, animation);
}

bool SceneWriter::writeFiles(const SceneDescription& scene, const std::string& path, std::string& error) {
  if (!writeFile(path, [&scene](File& out) { writeScene(scene, out); }, error)) return false;
  const std::string keyframePath = path + ".kf";
  if (scene.animations.empty()) {
    // A stale companion from an earlier write would animate the new scene.
    std::remove(keyframePath.c_str());
    return true;
  }
  return writeFile(keyframePath, [&scene](File& out) { writeKeyframes(scene, out); }, error);
}
