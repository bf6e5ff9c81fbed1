// Assembles a SceneDescription from modelled parts: meshes (shared by any number of objects, which
// is how parts are instanced), textures, materials, lights, cameras and a node hierarchy of
// groups (pivots) and mesh objects, with keyframed moves for objects and cameras.
//
// Everything is given in the modelling axes (z up, x right, y forward). The engine draws positions
// as the file holds them and treats y as up, while it reads rotation angles, light directions and
// camera angles in the modelling axes and turns them itself. So the builder writes positions,
// normals, node matrices and key translations turned to y up ((x, y, z) -> (x, z, -y)), and keeps
// rotation angles, light matrices and camera angles as they are. A static pose and an animation
// key with the same values put an object in the same place.
//
// Rotations are degrees about the modelling axes, applied x first, then z, then y: the order the
// engine poses animated objects in.
//
// The first problem (a fifth light, a name used twice, keys out of order, an unknown parent) is
// kept as the builder's error; generators check ok() before writing.
// Depends on: SceneDescription, ModelMesh, Matrix.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "demosys/scene/SceneDescription.h"
#include "resources/generators/scenes/ModelMesh.h"

struct Pose {
  Vector3f position;
  Vector3f rotation;  // degrees about x, y, z
};

// Key times are whole seconds: the engine drops fractions of key times.
struct PoseKey {
  unsigned second = 0;
  Pose pose;
};

struct CameraKey {
  unsigned second = 0;
  Vector3f eye;
  Vector3f target;
};

class SceneBuilder {
 public:
  static constexpr int maxLights = 4;
  static constexpr int root = 0;  // the parent id of a root node
  static constexpr float degreesPerRadian = 57.2957795f;

  // The modelling axes turned to the engine's (z up to y up), and back.
  static Vector3f toEngine(const Vector3f& v) { return Vector3f(v[0], v[2], -v[1]); }
  static Vector3f fromEngine(const Vector3f& v) { return Vector3f(v[0], -v[2], v[1]); }
  // The rotation of a pose in the modelling axes.
  static Matrix rotation(const Vector3f& degrees);
  // The node matrix the engine gets for a pose.
  static Matrix engineMatrix(const Pose& pose);
  // The same angle as `angle`, moved by whole turns to within half a turn of `previous`, so keys
  // interpolated between turn the short way.
  static float nearestTurn(float angle, float previous);
  // Camera angles (x: 0 looks down, 90 level; z: heading, 0 looks along +y) looking from eye to target.
  static Vector3f cameraAngles(const Vector3f& eye, const Vector3f& target);

  // Returns the mesh id; the model's normals must have been computed.
  int mesh(const std::string& name, const ModelMesh& model);
  // A material by name (a second call with the same name returns the first one's id); texture is
  // an image file name in the graphics folder, empty for none. Ambient is a share of the diffuse colour.
  int material(const std::string& name, const Vector3f& diffuse, const std::string& texture = "",
               float ambientShare = 0.3f);
  // Node ids; parent is root or a group's or object's id.
  int group(const std::string& name, int parent, const Pose& pose = {});
  int object(const std::string& name, int mesh, int material, int parent, const Pose& pose = {});
  // A directional light shining from the direction `from` points to.
  int light(const std::string& name, const Vector3f& color, const Vector3f& from);
  // A camera moving through its keys (at least one).
  int camera(const std::string& name, const std::vector<CameraKey>& keys);
  // A keyframed move of an object or group; it replaces the node's own pose while it plays, so a
  // pivot's position belongs in every key.
  void animate(int node, const std::vector<PoseKey>& keys);

  bool ok() const { return error.empty(); }
  const std::string& firstError() const { return error; }
  const SceneDescription& description() const { return scene; }
  // Triangles drawn: each object's mesh counted once per object.
  int drawnTriangles() const;

 private:
  int addNode(SceneNode node);
  bool keysInOrder(const std::string& what, const std::vector<unsigned>& seconds);
  void fail(const std::string& message);

  SceneDescription scene;
  std::map<std::string, int> materialIds;
  std::map<std::string, int> textureIds;
  std::set<std::string> nodeNames;
  std::map<int, int> meshTriangles;
  std::string error;
};
