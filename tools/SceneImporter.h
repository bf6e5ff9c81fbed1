// Converts a model file read by assimp (glTF 2.0, OBJ + MTL, FBX, Collada, 3DS, PLY, STL and the
// rest assimp reads) into a scene file and its ".kf" keyframes through SceneDescription and
// SceneWriter: triangulated meshes with normals and the first texture coordinate set, the node
// hierarchy with local matrices, materials with ambient and diffuse colours and the diffuse
// texture (its file copied next to the scene), cameras, directional lights, and the first node
// animation sampled into translation and rotation keys.
//
// Scene files hold positions in the engine's axes, y up, as assimp delivers most formats; sources
// that are z up without saying so (STL, PLY from CAD tools) are turned with --up z. Poses that the
// engine rebuilds from angles (animated objects, cameras, lights) are written the way it reads
// them. The engine keeps whole seconds of key times, so keys are sampled in whole seconds.
// Depends on: assimp, SceneDescription, SceneWriter, QNVObject (pose angles).
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "demosys/scene/SceneDescription.h"

struct aiNode;
struct aiNodeAnim;
struct aiScene;

struct SceneImportOptions {
  std::string model;
  std::string out;
  bool zUp = false;
  unsigned keyStep = 1;  // seconds between sampled animation keys
};

class SceneImporter {
 public:
  explicit SceneImporter(const SceneImportOptions& options) : options(options) {}

  // Reads the model, writes the scene files and copies textures. Problems that stop the import
  // print one line on standard error and return false; a texture that cannot be copied prints a
  // warning and the scene keeps its name.
  bool run();

 private:
  bool convert(const aiScene& source);
  void addMeshes(const aiScene& source);
  void addMaterials(const aiScene& source);
  int textureFor(const aiScene& source, const std::string& path);
  void addNode(const aiScene& source, const aiNode& node, int parentId);
  SceneNode newNode(const std::string& name, int parentId, const Matrix& matrix) const;
  void addCameras(const aiScene& source);
  void addLights(const aiScene& source);
  void addAnimation();

  // Local and global matrices of a node at an animation time (ticks), in the engine's axes.
  Matrix localAt(const aiNode& node, double ticks, bool engineAxes = true) const;
  Matrix globalAt(const aiNode& node, double ticks) const;
  bool animated(const aiNode& node) const;
  // Key times (seconds) covering the animation, or just 0.
  std::vector<unsigned> keySeconds(bool moving) const;
  Vector3f axes(const Vector3f& v) const;
  Matrix axes(const Matrix& m) const;
  bool fail(const std::string& problem) const;

  SceneImportOptions options;
  SceneDescription scene;
  std::vector<std::pair<const aiNode*, int>> objectNodes;  // in the order written
  std::map<unsigned, int> meshIds;  // assimp mesh index -> scene mesh id, triangle meshes only
  std::map<std::string, int> textureIds;
  std::map<std::string, const aiNodeAnim*> channels;  // node name -> its channel in the first animation
  double ticksPerSecond = 25.0;
  double durationTicks = 0.0;
};
