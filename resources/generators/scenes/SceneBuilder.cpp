#include "resources/generators/scenes/SceneBuilder.h"

#include <cmath>
#include <tuple>

namespace {

// The modelling-axes rotation r seen in the engine's axes: C * r * C^-1 with C = (x, z, -y).
Matrix turnedToEngine(const Matrix& r) {
  Matrix out;
  for (int column = 0; column < 3; ++column) {
    Vector3f axis;
    axis[column] = 1.0f;
    const Vector3f image = SceneBuilder::toEngine(r.transformDirection(SceneBuilder::fromEngine(axis)));
    for (int row = 0; row < 3; ++row) out[column * 4 + row] = image[row];
  }
  return out;
}

}  // namespace

float SceneBuilder::nearestTurn(float angle, float previous) {
  while (angle - previous > 180.0f) angle -= 360.0f;
  while (angle - previous < -180.0f) angle += 360.0f;
  return angle;
}

Matrix SceneBuilder::rotation(const Vector3f& degrees) {
  return Matrix::rotationY(degrees[1]) * Matrix::rotationZ(degrees[2]) * Matrix::rotationX(degrees[0]);
}

Matrix SceneBuilder::engineMatrix(const Pose& pose) {
  Matrix m = turnedToEngine(rotation(pose.rotation));
  m.setTranslation(toEngine(pose.position));
  return m;
}

Vector3f SceneBuilder::cameraAngles(const Vector3f& eye, const Vector3f& target) {
  const Vector3f d = (target - eye).normalised();
  const float x = std::acos(std::fmax(-1.0f, std::fmin(1.0f, -d[2]))) * degreesPerRadian;
  const float z = std::atan2(-d[0], d[1]) * degreesPerRadian;
  return Vector3f(x, 0.0f, z);
}

void SceneBuilder::fail(const std::string& message) {
  if (error.empty()) error = message;
}

int SceneBuilder::mesh(const std::string& name, const ModelMesh& model) {
  SceneMesh out;
  out.id = static_cast<int>(scene.meshes.size()) + 1;
  out.name = name;
  if (model.cornerNormals().size() != model.cornerUVs().size()) {
    fail("mesh '" + name + "' has no normals");
    return out.id;
  }
  for (const Vector3f& p : model.positions()) out.positions.push_back(toEngine(p));
  // Corner normals and texture coordinates repeat a lot; each distinct value is stored once.
  std::map<std::tuple<float, float, float>, int> normalIndex;
  std::map<std::pair<float, float>, int> uvIndex;
  for (int t = 0; t < model.triangleCount(); ++t) {
    for (int corner = 0; corner < 3; ++corner) {
      const Vector3f n = toEngine(model.cornerNormals()[t * 3 + corner]);
      const Vector2f& uv = model.cornerUVs()[t * 3 + corner];
      const auto n_at = normalIndex.emplace(std::make_tuple(n[0], n[1], n[2]), static_cast<int>(out.normals.size()));
      if (n_at.second) out.normals.push_back(n);
      const auto uv_at = uvIndex.emplace(std::make_pair(uv[0], uv[1]), static_cast<int>(out.texCoords.size()));
      if (uv_at.second) out.texCoords.push_back(uv);
      out.addTuple(model.triangles()[t][corner], n_at.first->second, uv_at.first->second);
    }
  }
  out.computeBBox();
  meshTriangles[out.id] = model.triangleCount();
  scene.meshes.push_back(std::move(out));
  return scene.meshes.back().id;
}

int SceneBuilder::material(const std::string& name, const Vector3f& diffuse, const std::string& texture,
                           float ambientShare) {
  const auto known = materialIds.find(name);
  if (known != materialIds.end()) return known->second;
  SceneMaterial m;
  m.id = static_cast<int>(scene.materials.size()) + 1;
  m.name = name;
  m.diffuse = diffuse;
  m.ambient = diffuse * ambientShare;
  if (!texture.empty()) {
    const auto at = textureIds.emplace(texture, static_cast<int>(scene.textures.size()) + 1);
    if (at.second) scene.textures.push_back({at.first->second, texture, texture});
    m.textureId = at.first->second;
  }
  materialIds[name] = m.id;
  scene.materials.push_back(m);
  return m.id;
}

int SceneBuilder::addNode(SceneNode node) {
  if (!nodeNames.insert(node.name).second) fail("the name '" + node.name + "' is used twice");
  node.id = static_cast<int>(scene.nodes.size()) + 1;
  scene.nodes.push_back(node);
  return node.id;
}

int SceneBuilder::group(const std::string& name, int parent, const Pose& pose) {
  if (parent < root || parent > static_cast<int>(scene.nodes.size())) fail("'" + name + "' has an unknown parent");
  SceneNode node;
  node.type = SCENE_NODE_EMPTY;
  node.parentId = parent;
  node.name = name;
  node.matrix = engineMatrix(pose);
  return addNode(node);
}

int SceneBuilder::object(const std::string& name, int mesh, int material, int parent, const Pose& pose) {
  if (mesh < 1 || mesh > static_cast<int>(scene.meshes.size())) fail("'" + name + "' names an unknown mesh");
  const int id = group(name, parent, pose);
  SceneNode& node = scene.nodes.back();
  node.type = SCENE_NODE_MESH;
  node.reference = mesh;
  node.materialId = material;
  return id;
}

int SceneBuilder::light(const std::string& name, const Vector3f& color, const Vector3f& from) {
  if (static_cast<int>(scene.lights.size()) >= maxLights) fail("light '" + name + "' is one more than the engine uses");
  SceneLight l;
  l.id = static_cast<int>(scene.lights.size()) + 1;
  l.color = color;
  scene.lights.push_back(l);
  // The engine takes the light's direction from the third column, in the modelling axes.
  SceneNode node;
  node.type = SCENE_NODE_LIGHT;
  node.reference = l.id;
  node.name = name;
  const Vector3f direction = from.normalised();
  for (int row = 0; row < 3; ++row) node.matrix[8 + row] = direction[row];
  addNode(node);
  return l.id;
}

bool SceneBuilder::keysInOrder(const std::string& what, const std::vector<unsigned>& seconds) {
  for (std::size_t i = 1; i < seconds.size(); ++i) {
    if (seconds[i] <= seconds[i - 1]) {
      fail("the keys of '" + what + "' are not in time order");
      return false;
    }
  }
  if (seconds.empty()) fail("'" + what + "' has no keys");
  return !seconds.empty();
}

int SceneBuilder::camera(const std::string& name, const std::vector<CameraKey>& keys) {
  SceneNode node;
  node.type = SCENE_NODE_CAMERA;
  node.name = name;
  const int id = addNode(node);
  std::vector<unsigned> seconds;
  for (const CameraKey& k : keys) seconds.push_back(k.second);
  if (!keysInOrder(name, seconds)) return id;
  SceneAnimation a;
  a.targetType = SCENE_TARGET_CAMERA;
  a.targetId = static_cast<unsigned>(id);
  for (const CameraKey& k : keys) {
    Vector3f angles = cameraAngles(k.eye, k.target);
    if (!a.rotations.empty()) angles[2] = nearestTurn(angles[2], a.rotations.back()[2]);
    a.times.push_back(static_cast<float>(k.second));
    a.translations.push_back(toEngine(k.eye));
    a.rotations.push_back(angles);
  }
  scene.nodes[id - 1].matrix.setTranslation(a.translations.front());
  scene.animations.push_back(std::move(a));
  return id;
}

void SceneBuilder::animate(int node, const std::vector<PoseKey>& keys) {
  const bool posable = node >= 1 && node <= static_cast<int>(scene.nodes.size()) &&
                       scene.nodes[node - 1].type <= SCENE_NODE_MESH;
  if (!posable) {
    fail("an animation names node " + std::to_string(node) + ", which is no object");
    return;
  }
  std::vector<unsigned> seconds;
  for (const PoseKey& k : keys) seconds.push_back(k.second);
  if (!keysInOrder(scene.nodes[node - 1].name, seconds)) return;
  SceneAnimation a;
  a.targetType = SCENE_TARGET_OBJECT;
  a.targetId = static_cast<unsigned>(node);
  for (const PoseKey& k : keys) {
    a.times.push_back(static_cast<float>(k.second));
    a.translations.push_back(toEngine(k.pose.position));
    a.rotations.push_back(k.pose.rotation);
  }
  scene.animations.push_back(std::move(a));
}

int SceneBuilder::drawnTriangles() const {
  int sum = 0;
  for (const SceneNode& n : scene.nodes) {
    const auto triangles = meshTriangles.find(n.reference);
    if (n.type == SCENE_NODE_MESH && triangles != meshTriangles.end()) sum += triangles->second;
  }
  return sum;
}
