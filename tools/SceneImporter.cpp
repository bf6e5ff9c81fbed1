// SceneImporter: an assimp scene into a SceneDescription, written by SceneWriter.
#include "tools/SceneImporter.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "demosys/scene/QNVObject.h"
#include "demosys/scene/SceneWriter.h"

namespace fs = std::filesystem;

namespace {

Matrix toMatrix(const aiMatrix4x4& a) {
  Matrix m;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) m.at(row, column) = a[row][column];
  }
  return m;
}

Vector3f toVector(const aiVector3D& v) { return Vector3f(v.x, v.y, v.z); }
Vector3f toVector(const aiColor3D& c) { return Vector3f(c.r, c.g, c.b); }

// The lengths of a matrix's three axes, an unscaled axis as exactly 1.
Vector3f scaleOf(const Matrix& m) {
  Vector3f scale;
  for (int column = 0; column < 3; ++column) {
    const float length = Vector3f(m.at(0, column), m.at(1, column), m.at(2, column)).length();
    scale[column] = std::fabs(length - 1.0f) < 1e-5f ? 1.0f : length;
  }
  return scale;
}

// The rotation part of a matrix with its scale taken out.
Matrix rotationOf(const Matrix& m) {
  Matrix r;
  for (int column = 0; column < 3; ++column) {
    Vector3f axis(m.at(0, column), m.at(1, column), m.at(2, column));
    axis.normalise();
    for (int row = 0; row < 3; ++row) r.at(row, column) = axis[row];
  }
  return r;
}

// A key track's value at a time: clamped at both ends, mixed linearly (or spherically) between.
template <typename Key, typename Value, typename Mix>
Value sample(const Key* keys, unsigned count, double ticks, const Value& fallback, Mix mix) {
  if (count == 0) return fallback;
  if (ticks <= keys[0].mTime) return keys[0].mValue;
  for (unsigned i = 1; i < count; ++i) {
    if (ticks < keys[i].mTime) {
      const double span = keys[i].mTime - keys[i - 1].mTime;
      const float f = span > 0.0 ? static_cast<float>((ticks - keys[i - 1].mTime) / span) : 0.0f;
      return mix(keys[i - 1].mValue, keys[i].mValue, f);
    }
  }
  return keys[count - 1].mValue;
}

aiVector3D mixVectors(const aiVector3D& a, const aiVector3D& b, float f) { return a + (b - a) * f; }

aiQuaternion mixRotations(const aiQuaternion& a, const aiQuaternion& b, float f) {
  aiQuaternion out;
  aiQuaternion::Interpolate(out, a, b, f);
  return out.Normalize();
}

// A rotation whose third column is the given direction (for light matrices).
Matrix frameAround(Vector3f z) {
  z.normalise();
  const Vector3f helper = std::fabs(z[2]) < 0.9f ? Vector3f(0, 0, 1) : Vector3f(1, 0, 0);
  const Vector3f x = helper.cross(z).normalised();
  const Vector3f y = z.cross(x);
  Matrix m;
  for (int row = 0; row < 3; ++row) {
    m.at(row, 0) = x[row];
    m.at(row, 1) = y[row];
    m.at(row, 2) = z[row];
  }
  return m;
}

std::string nameOf(const aiString& name, const std::string& fallback) {
  return name.length > 0 ? std::string(name.C_Str()) : fallback;
}

}  // namespace

bool SceneImporter::fail(const std::string& problem) const {
  std::cerr << "demosys scene import: " << problem << std::endl;
  return false;
}

bool SceneImporter::run() {
  Assimp::Importer importer;
  const unsigned steps = aiProcess_Triangulate | aiProcess_GenSmoothNormals | aiProcess_SortByPType |
                         aiProcess_JoinIdenticalVertices;
  const aiScene* source = importer.ReadFile(options.model, steps);
  if (source == nullptr || source->mRootNode == nullptr) {
    return fail("cannot read " + options.model + ": " + importer.GetErrorString());
  }
  if (!convert(*source)) return false;
  std::string error;
  if (!SceneWriter::writeFiles(scene, options.out, error)) return fail(error);
  std::cout << "Imported " << options.model << ": " << scene.meshes.size() << " meshes, " << scene.materials.size()
            << " materials, " << scene.nodes.size() << " nodes, " << scene.animations.size() << " animations"
            << std::endl;
  return true;
}

bool SceneImporter::convert(const aiScene& source) {
  addMeshes(source);
  if (scene.meshes.empty()) return fail(options.model + " has no triangle meshes");
  addMaterials(source);
  if (source.mNumAnimations > 0) {
    const aiAnimation& animation = *source.mAnimations[0];
    if (animation.mTicksPerSecond > 0.0) ticksPerSecond = animation.mTicksPerSecond;
    durationTicks = std::max(0.0, animation.mDuration);
    for (unsigned i = 0; i < animation.mNumChannels; ++i) {
      channels[animation.mChannels[i]->mNodeName.C_Str()] = animation.mChannels[i];
    }
  }
  addNode(source, *source.mRootNode, -1);
  addCameras(source);
  addLights(source);
  addAnimation();
  return true;
}

// A z-up source turned to y up: (x, y, z) -> (x, z, -y), matrices conjugated so that they act on
// turned points the way they acted on the source's.
Vector3f SceneImporter::axes(const Vector3f& v) const { return options.zUp ? Vector3f(v[0], v[2], -v[1]) : v; }

Matrix SceneImporter::axes(const Matrix& m) const {
  if (!options.zUp) return m;
  Matrix turn;
  turn.at(1, 1) = 0.0f;
  turn.at(1, 2) = 1.0f;
  turn.at(2, 1) = -1.0f;
  turn.at(2, 2) = 0.0f;
  Matrix back = turn;
  back.at(1, 2) = -1.0f;
  back.at(2, 1) = 1.0f;
  return turn * m * back;
}

// One tuple per corner, every list indexed alike: assimp's vertices already carry all attributes.
void SceneImporter::addMeshes(const aiScene& source) {
  for (unsigned m = 0; m < source.mNumMeshes; ++m) {
    const aiMesh& in = *source.mMeshes[m];
    if ((in.mPrimitiveTypes & aiPrimitiveType_TRIANGLE) == 0) continue;
    SceneMesh mesh;
    mesh.id = static_cast<int>(m);
    mesh.name = nameOf(in.mName, "mesh" + std::to_string(m));
    const bool normals = in.HasNormals();
    const bool uvs = in.HasTextureCoords(0);
    for (unsigned v = 0; v < in.mNumVertices; ++v) {
      mesh.positions.push_back(axes(toVector(in.mVertices[v])));
      if (normals) mesh.normals.push_back(axes(toVector(in.mNormals[v])));
      if (uvs) mesh.texCoords.push_back(Vector2f(in.mTextureCoords[0][v].x, in.mTextureCoords[0][v].y));
    }
    for (unsigned f = 0; f < in.mNumFaces; ++f) {
      if (in.mFaces[f].mNumIndices != 3) continue;
      for (unsigned k = 0; k < 3; ++k) {
        const int i = static_cast<int>(in.mFaces[f].mIndices[k]);
        mesh.addTuple(i, normals ? i : -1, uvs ? i : -1);
      }
    }
    if (mesh.indices.empty()) continue;
    mesh.computeBBox();
    meshIds[m] = mesh.id;
    scene.meshes.push_back(mesh);
  }
}

// Without an ambient colour of its own a material's ambient is a share of its diffuse colour.
void SceneImporter::addMaterials(const aiScene& source) {
  for (unsigned m = 0; m < source.mNumMaterials; ++m) {
    const aiMaterial& in = *source.mMaterials[m];
    SceneMaterial material;
    material.id = static_cast<int>(m);
    aiString name;
    in.Get(AI_MATKEY_NAME, name);
    material.name = nameOf(name, "material" + std::to_string(m));
    aiColor3D diffuse(1.0f, 1.0f, 1.0f);
    in.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
    material.diffuse = toVector(diffuse);
    aiColor3D ambient;
    material.ambient = in.Get(AI_MATKEY_COLOR_AMBIENT, ambient) == AI_SUCCESS ? toVector(ambient)
                                                                                : material.diffuse * 0.3f;
    aiString texture;
    if (in.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS ||
        in.GetTexture(aiTextureType_BASE_COLOR, 0, &texture) == AI_SUCCESS) {
      material.textureId = textureFor(source, texture.C_Str());
    }
    scene.materials.push_back(material);
  }
}

// The texture's file goes next to the scene file under its own name (embedded pictures under the
// scene's name and their index); one texture record per file.
int SceneImporter::textureFor(const aiScene& source, const std::string& path) {
  auto known = textureIds.find(path);
  if (known != textureIds.end()) return known->second;
  const fs::path folder = fs::path(options.out).parent_path();
  std::string file;
  std::error_code error;
  if (const aiTexture* embedded = source.GetEmbeddedTexture(path.c_str())) {
    if (embedded->mHeight != 0) {
      std::cerr << "demosys scene import: warning: texture " << path << " is raw pixels, not written" << std::endl;
      return -1;
    }
    file = fs::path(options.out).filename().string() + "_" + std::to_string(textureIds.size()) + "." +
           embedded->achFormatHint;
    std::ofstream picture((folder / file).string(), std::ios::binary);
    if (!picture.write(reinterpret_cast<const char*>(embedded->pcData), embedded->mWidth)) {
      std::cerr << "demosys scene import: warning: texture " << (folder / file).string() << " not written" << std::endl;
    }
  } else {
    std::string relative = path;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const fs::path from = fs::path(options.model).parent_path() / relative;
    file = from.filename().string();
    const fs::path to = folder / file;
    if (!fs::exists(to, error) || !fs::equivalent(from, to, error)) {
      fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    }
    if (error) {
      std::cerr << "demosys scene import: warning: texture " << from.string() << " not copied: " << error.message()
                << std::endl;
    }
  }
  const int id = static_cast<int>(textureIds.size());
  textureIds[path] = id;
  scene.textures.push_back({id, file, file});
  return id;
}

// A node of one mesh is a mesh object; a node of several is an empty object with one mesh object
// per mesh under it (the scene format gives an object one mesh and one material). The engine poses
// an animated object by translation and rotation keys alone, so the scale of an animated node goes
// to a node of its own between it and its meshes and children.
void SceneImporter::addNode(const aiScene& source, const aiNode& node, int parentId) {
  SceneNode out = newNode(nameOf(node.mName, "node" + std::to_string(scene.nodes.size() + 1)), parentId,
                          axes(toMatrix(node.mTransformation)));
  objectNodes.emplace_back(&node, out.id);
  const Vector3f scale = scaleOf(localAt(node, 0.0, false));
  if (channels.count(node.mName.C_Str()) && scale != Vector3f(1.0f, 1.0f, 1.0f)) {
    Matrix scaling;
    for (int k = 0; k < 3; ++k) scaling.at(k, k) = scale[k];
    scene.nodes.push_back(out);
    out = newNode(out.name + "_scale", out.id, axes(scaling));
  }
  std::vector<unsigned> meshes;
  for (unsigned k = 0; k < node.mNumMeshes; ++k) {
    if (meshIds.count(node.mMeshes[k])) meshes.push_back(node.mMeshes[k]);
  }
  auto meshNode = [&source, this](SceneNode& n, unsigned mesh) {
    n.type = SCENE_NODE_MESH;
    n.reference = meshIds[mesh];
    n.materialId = static_cast<int>(source.mMeshes[mesh]->mMaterialIndex);
  };
  if (meshes.size() == 1) meshNode(out, meshes[0]);
  scene.nodes.push_back(out);
  for (std::size_t k = 0; meshes.size() > 1 && k < meshes.size(); ++k) {
    SceneNode part = newNode(out.name + "_" + std::to_string(k), out.id, Matrix());
    meshNode(part, meshes[k]);
    scene.nodes.push_back(part);
  }
  for (unsigned c = 0; c < node.mNumChildren; ++c) addNode(source, *node.mChildren[c], out.id);
}

// The next node id: nodes are numbered in the order they are written.
SceneNode SceneImporter::newNode(const std::string& name, int parentId, const Matrix& matrix) const {
  SceneNode node;
  node.id = static_cast<int>(scene.nodes.size()) + 1;
  node.parentId = parentId;
  node.name = name;
  node.matrix = matrix;
  return node;
}

Matrix SceneImporter::localAt(const aiNode& node, double ticks, bool engineAxes) const {
  auto channel = channels.find(node.mName.C_Str());
  Matrix local = toMatrix(node.mTransformation);
  if (channel != channels.end()) {
    aiVector3D scaling;
    aiQuaternion rotation;
    aiVector3D position;
    node.mTransformation.Decompose(scaling, rotation, position);
    const aiNodeAnim& c = *channel->second;
    position = sample(c.mPositionKeys, c.mNumPositionKeys, ticks, position, mixVectors);
    rotation = sample(c.mRotationKeys, c.mNumRotationKeys, ticks, rotation, mixRotations);
    scaling = sample(c.mScalingKeys, c.mNumScalingKeys, ticks, scaling, mixVectors);
    local = toMatrix(aiMatrix4x4(scaling, rotation, position));
  }
  return engineAxes ? axes(local) : local;
}

Matrix SceneImporter::globalAt(const aiNode& node, double ticks) const {
  const Matrix local = localAt(node, ticks);
  return node.mParent == nullptr ? local : globalAt(*node.mParent, ticks) * local;
}

bool SceneImporter::animated(const aiNode& node) const {
  for (const aiNode* n = &node; n != nullptr; n = n->mParent) {
    if (channels.count(n->mName.C_Str())) return true;
  }
  return false;
}

// Whole seconds from 0 until the animation's end is reached.
std::vector<unsigned> SceneImporter::keySeconds(bool moving) const {
  std::vector<unsigned> seconds{0};
  const double end = durationTicks / ticksPerSecond;
  for (unsigned s = options.keyStep; moving && seconds.back() < end; s += options.keyStep) seconds.push_back(s);
  return seconds;
}

// The engine's camera view turns by Rx(90 - rx) Ry(-rz) Rz(-ry), so the camera's orientation is
// Rz(ry) Ry(rz) Rx(rx - 90): the pose rotation of the angles (rx - 90, -ry, rz).
void SceneImporter::addCameras(const aiScene& source) {
  for (unsigned i = 0; i < source.mNumCameras; ++i) {
    const aiCamera& camera = *source.mCameras[i];
    const aiNode* node = source.mRootNode->FindNode(camera.mName);
    if (node == nullptr) continue;
    SceneNode out;
    out.id = static_cast<int>(scene.nodes.size()) + 1;
    out.type = SCENE_NODE_CAMERA;
    out.name = camera.mName.C_Str();
    SceneAnimation keys{SCENE_TARGET_CAMERA, static_cast<unsigned>(out.id), {}, {}, {}};
    // The position is relative to the camera's node; assimp's glTF reader copies the node's own
    // translation into it, which would count twice.
    aiVector3D position = camera.mPosition;
    if (position == aiVector3D(node->mTransformation.a4, node->mTransformation.b4, node->mTransformation.c4)) {
      position = aiVector3D();
    }
    for (unsigned second : keySeconds(animated(*node))) {
      const Matrix global = globalAt(*node, second * ticksPerSecond);
      const Matrix turn = rotationOf(global);
      const Vector3f look = turn.transformDirection(axes(toVector(camera.mLookAt))).normalised();
      const Vector3f right = look.cross(turn.transformDirection(axes(toVector(camera.mUp)))).normalised();
      Matrix frame;
      for (int row = 0; row < 3; ++row) {
        frame.at(row, 0) = right[row];
        frame.at(row, 1) = right.cross(look)[row];
        frame.at(row, 2) = -look[row];
      }
      frame.setTranslation(global.transformPoint(axes(toVector(position))));
      const Vector3f a = QNVObject::poseAngles(frame);
      keys.times.push_back(static_cast<float>(second));
      keys.translations.push_back(frame.getTranslation());
      keys.rotations.push_back(Vector3f(a[0] + 90.0f, -a[1], a[2]));
      if (second == 0) out.matrix = frame;
    }
    scene.nodes.push_back(out);
    scene.animations.push_back(keys);
  }
}

// The engine lights along the third column of a light's matrix read in z-up axes, (m8, m10, -m9)
// towards the light; assimp's direction is the way the light travels.
void SceneImporter::addLights(const aiScene& source) {
  for (unsigned i = 0; i < source.mNumLights; ++i) {
    const aiLight& light = *source.mLights[i];
    const aiNode* node = source.mRootNode->FindNode(light.mName);
    if (light.mType != aiLightSource_DIRECTIONAL || node == nullptr) {
      std::cerr << "demosys scene import: warning: light '" << light.mName.C_Str()
                << "' is not a directional light of the hierarchy, left out" << std::endl;
      continue;
    }
    const Matrix global = globalAt(*node, 0.0);
    const Vector3f toLight = -rotationOf(global).transformDirection(axes(toVector(light.mDirection))).normalised();
    const int id = static_cast<int>(scene.lights.size());
    scene.lights.push_back({id, 0, toVector(light.mColorDiffuse)});
    SceneNode out;
    out.id = static_cast<int>(scene.nodes.size()) + 1;
    out.type = SCENE_NODE_LIGHT;
    out.reference = id;
    out.name = light.mName.C_Str();
    out.matrix = frameAround(Vector3f(toLight[0], -toLight[2], toLight[1]));
    const Vector3f at = global.getTranslation();
    out.matrix.setTranslation(Vector3f(at[0], -at[2], at[1]));
    scene.nodes.push_back(out);
  }
}

// An animated object is posed by its keys alone (translation and angles: its scale is lost).
void SceneImporter::addAnimation() {
  for (const auto& entry : objectNodes) {
    const aiNode& node = *entry.first;
    if (!channels.count(node.mName.C_Str())) continue;
    SceneAnimation keys{SCENE_TARGET_OBJECT, static_cast<unsigned>(entry.second), {}, {}, {}};
    for (unsigned second : keySeconds(true)) {
      const Matrix local = localAt(node, second * ticksPerSecond);
      keys.times.push_back(static_cast<float>(second));
      keys.translations.push_back(local.getTranslation());
      keys.rotations.push_back(QNVObject::poseAngles(rotationOf(local)));
    }
    scene.animations.push_back(keys);
  }
}
