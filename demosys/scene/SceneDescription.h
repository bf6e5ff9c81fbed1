// The in-memory form of a scene file and its ".kf" keyframe companion, record for record: what
// SceneWriter writes, what SceneFileReader reads back, and what content generators and the
// importer build. Plain data; no GL.
//
// Axes: positions, normals, node matrices and key translations are drawn as they stand, in the
// engine's y-up axes. Rotation angles (object and camera keys) and light matrices are read in the
// modelling tool's z-up axes and turned to y up by the engine when it poses, lights and views.
//
// Depends on: Vector, Matrix.
#pragma once

#include <string>
#include <vector>

#include "demosys/math/Matrix.h"
#include "demosys/math/Vector.h"

// One mesh: up to three attribute lists and a flat list of index tuples. Each tuple holds one
// index per present list, in the order of the lists' slots (offsets 0, 1, 2); the engine draws
// every three tuples as a triangle. Absent lists are empty.
struct SceneMesh {
  int id = 0;
  std::string name;
  std::vector<Vector3f> positions;
  std::vector<Vector3f> normals;
  std::vector<Vector2f> texCoords;
  // Slot of each list's index inside a tuple. The engine's buffers want position, normal,
  // texture coordinate, so keep them in that order.
  int positionOffset = 0;
  int normalOffset = 1;
  int texCoordOffset = 2;
  std::vector<int> indices;
  Vector3f bboxMin;
  Vector3f bboxMax;

  // Indices per tuple: the number of present lists.
  int stride() const;
  int tupleCount() const { return stride() == 0 ? 0 : static_cast<int>(indices.size()) / stride(); }
  // Appends one tuple; pass -1 for a list the mesh does not have.
  void addTuple(int position, int normal, int texCoord);
  // Box of the positions (zero without positions).
  void computeBBox();
};

struct SceneTexture {
  int id = 0;
  std::string name;  // informational
  std::string file;  // the image's file name, looked up in the "graphics" directory
};

struct SceneMaterial {
  int id = 0;
  std::string name;
  Vector3f ambient{1.0f, 1.0f, 1.0f};
  Vector3f diffuse{1.0f, 1.0f, 1.0f};
  int textureId = -1;  // the diffuse texture; an id without a texture record means none
};

struct SceneLight {
  int id = 0;
  int type = 0;
  Vector3f color{1.0f, 1.0f, 1.0f};
};

// Node types as the file numbers them.
enum SceneNodeType { SCENE_NODE_EMPTY = 0, SCENE_NODE_MESH = 1, SCENE_NODE_CAMERA = 2, SCENE_NODE_LIGHT = 3 };

// One node. parentId names another node (-1 or an unknown id: a root); reference is the mesh id
// of a mesh node and the light id of a light node. Cameras and lights take no parent.
struct SceneNode {
  int id = 0;
  int type = SCENE_NODE_EMPTY;
  int parentId = -1;
  int reference = 0;
  std::string name;
  Matrix matrix;  // column-major, translation in elements 12 to 14
  int materialId = -1;
};

// Animation targets as the ".kf" file numbers them.
enum SceneAnimationTarget { SCENE_TARGET_OBJECT = 1, SCENE_TARGET_CAMERA = 2, SCENE_TARGET_LIGHT = 3 };

// Keys of one object, camera (both by node id) or light (by light id). Times are seconds; the
// engine keeps whole seconds only (2.7 becomes 2000 ms). Rotations are degrees about x, y, z.
struct SceneAnimation {
  int targetType = SCENE_TARGET_OBJECT;
  unsigned targetId = 0;
  std::vector<float> times;
  std::vector<Vector3f> translations;
  std::vector<Vector3f> rotations;
};

struct SceneDescription {
  std::vector<SceneMesh> meshes;
  std::vector<SceneTexture> textures;
  std::vector<SceneMaterial> materials;
  std::vector<SceneLight> lights;
  std::vector<SceneNode> nodes;
  std::vector<SceneAnimation> animations;
};
