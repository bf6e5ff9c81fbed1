// SceneFileReader: checked reading of scene and keyframe records.
#include "demosys/scene/SceneFileReader.h"

#include <algorithm>
#include <cmath>

#include "qnvutils/File.h"

namespace {

constexpr uint32_t keyBytes = 7 * 4;

struct RecordList {
  const char* what;
  uint32_t minBytes;  // the smallest record: its fields with one-byte strings
  bool negativeMeansNone;
};

const RecordList recordLists[] = {
    {"mesh", 4 + 1 + 13 * 4, false}, {"texture", 4 + 1 + 1, false}, {"material", 4 + 1 + 9 * 4, false},
    {"light", 5 * 4, false},          {"node", 2 * 4, true},         {"animation", 3 * 4, true},
};

}  // namespace

SceneFileReader::SceneFileReader(File& file, const std::string& fileName) : file(file), fileName(fileName) {}

bool SceneFileReader::fail(const std::string& reason) {
  if (valid) errorMessage = "Object '" + fileName + "': " + reason + "\n";
  valid = false;
  return false;
}

bool SceneFileReader::recordComplete(const std::string& record) {
  if (!valid) return false;
  if (file.overrun()) return fail("the file ends inside " + record);
  if (nonFinite) return fail(record + " holds a number that is not finite");
  return true;
}

float SceneFileReader::readFloat() {
  const float value = file.readFloat();
  if (!std::isfinite(value)) nonFinite = true;
  return value;
}

Vector2f SceneFileReader::readVector2() {
  const float s = readFloat();
  return Vector2f(s, readFloat());
}

Vector3f SceneFileReader::readVector3() {
  const float x = readFloat();
  const float y = readFloat();
  return Vector3f(x, y, readFloat());
}

Matrix SceneFileReader::readMatrix() {
  float values[16];
  for (float& value : values) value = readFloat();
  return Matrix(values);
}

bool SceneFileReader::readVersion() {
  const int version = file.readInt();
  if (version == 1) return true;
  valid = false;
  errorMessage = "Invalid object version in file '" + fileName + "', File version states version " +
                 std::to_string(version) + ". Expected version " + "1" + ".";
  return false;
}

bool SceneFileReader::readCount(Record kind, int& count) {
  const RecordList& list = recordLists[kind];
  const std::string what = list.what;
  count = file.readInt();
  if (!recordComplete("the " + what + " count")) return false;
  if (count < 0) {
    if (list.negativeMeansNone) {
      count = 0;
      return true;
    }
    return fail("negative " + what + " count " + std::to_string(count));
  }
  if (static_cast<uint64_t>(count) * list.minBytes > file.remaining()) {
    return fail(what + " count " + std::to_string(count) + " exceeds the file");
  }
  return true;
}

bool SceneFileReader::readList3(const char* what, const std::string& mesh, int count,
                                std::vector<Vector3f>& out) {
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(readVector3());
  return recordComplete(std::string("the ") + what + " of mesh '" + mesh + "'");
}

// Each present list needs its own slot 0 to 2, or tuples would be read out of step.
bool SceneFileReader::checkMeshLayout(const SceneMesh& mesh, int indexCount) {
  const std::string where = "mesh '" + mesh.name + "'";
  const int stride = mesh.stride();
  if (stride == 0) return fail(where + " has no positions, normals or texture coordinates");
  const int offsets[3] = {mesh.positions.empty() ? -1 : mesh.positionOffset,
                          mesh.normals.empty() ? -1 : mesh.normalOffset,
                          mesh.texCoords.empty() ? -1 : mesh.texCoordOffset};
  bool used[3] = {false, false, false};
  for (int offset : offsets) {
    if (offset == -1) continue;
    if (offset < 0 || offset > 2 || used[offset]) return fail(where + " has overlapping or invalid list offsets");
    used[offset] = true;
  }
  if (indexCount % stride != 0) {
    return fail(where + " has " + std::to_string(indexCount) + " indices, not a multiple of " +
                std::to_string(stride));
  }
  return true;
}

// Every index lies inside the list its slot refers to.
bool SceneFileReader::checkIndices(const SceneMesh& mesh) {
  struct Slot {
    int offset;
    size_t size;
  };
  std::vector<Slot> slots;
  if (!mesh.positions.empty()) slots.push_back({mesh.positionOffset, mesh.positions.size()});
  if (!mesh.normals.empty()) slots.push_back({mesh.normalOffset, mesh.normals.size()});
  if (!mesh.texCoords.empty()) slots.push_back({mesh.texCoordOffset, mesh.texCoords.size()});
  std::sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) { return a.offset < b.offset; });
  for (size_t k = 0; k < mesh.indices.size(); ++k) {
    const int index = mesh.indices[k];
    if (index < 0 || static_cast<size_t>(index) >= slots[k % slots.size()].size) {
      return fail("mesh '" + mesh.name + "' has index " + std::to_string(index) + " outside its list");
    }
  }
  return true;
}

bool SceneFileReader::readMesh(SceneMesh& mesh) {
  mesh = SceneMesh();
  mesh.id = file.readInt();
  mesh.name = file.readString();
  const int positionCount = file.readInt();
  mesh.positionOffset = file.readInt();
  const int normalCount = file.readInt();
  mesh.normalOffset = file.readInt();
  const int texCoordCount = file.readInt();
  mesh.texCoordOffset = file.readInt();
  const int indexCount = file.readInt();
  mesh.bboxMin = readVector3();
  mesh.bboxMax = readVector3();
  const std::string where = "mesh '" + mesh.name + "'";
  if (!recordComplete(where)) return false;
  if (positionCount < 0 || normalCount < 0 || texCoordCount < 0 || indexCount < 0) {
    return fail(where + " has a negative count");
  }
  const uint64_t bytes = (static_cast<uint64_t>(positionCount) * 3 + static_cast<uint64_t>(normalCount) * 3 +
                          static_cast<uint64_t>(texCoordCount) * 2 + static_cast<uint64_t>(indexCount)) *
                         4;
  if (bytes > file.remaining()) return fail(where + " has counts that exceed the file");
  if (!readList3("positions", mesh.name, positionCount, mesh.positions)) return false;
  if (!readList3("normals", mesh.name, normalCount, mesh.normals)) return false;
  mesh.texCoords.reserve(static_cast<size_t>(texCoordCount));
  for (int i = 0; i < texCoordCount; ++i) mesh.texCoords.push_back(readVector2());
  if (!checkMeshLayout(mesh, indexCount)) return false;
  mesh.indices.reserve(static_cast<size_t>(indexCount));
  for (int i = 0; i < indexCount; ++i) mesh.indices.push_back(file.readInt());
  return recordComplete(where) && checkIndices(mesh);
}

std::vector<float> SceneFileReader::interleave(const SceneMesh& mesh) {
  const size_t tuples = static_cast<size_t>(mesh.tupleCount());
  const size_t floats = (mesh.positions.empty() ? 0 : 3) + (mesh.normals.empty() ? 0 : 3) +
                        (mesh.texCoords.empty() ? 0 : 2);
  std::vector<float> out;
  out.reserve(tuples * floats);
  size_t k = 0;
  const size_t count = tuples * static_cast<size_t>(mesh.stride());
  for (size_t tuple = 0; tuple < tuples; ++tuple) {
    for (int slot = 0; slot < 3 && k < count; ++slot) {
      const size_t index = static_cast<size_t>(mesh.indices[k]);
      if (!mesh.positions.empty() && mesh.positionOffset == slot) {
        out.insert(out.end(), mesh.positions[index].data(), mesh.positions[index].data() + 3);
      } else if (!mesh.normals.empty() && mesh.normalOffset == slot) {
        out.insert(out.end(), mesh.normals[index].data(), mesh.normals[index].data() + 3);
      } else if (!mesh.texCoords.empty() && mesh.texCoordOffset == slot) {
        out.insert(out.end(), mesh.texCoords[index].data(), mesh.texCoords[index].data() + 2);
      } else {
        continue;
      }
      ++k;
    }
  }
  return out;
}

bool SceneFileReader::readTexture(SceneTexture& texture) {
  texture.id = file.readInt();
  texture.name = file.readString();
  texture.file = file.readString();
  return recordComplete("texture '" + texture.name + "'");
}

bool SceneFileReader::readMaterial(SceneMaterial& material) {
  material.id = file.readInt();
  material.name = file.readString();
  material.ambient = readVector3();
  readFloat();
  material.diffuse = readVector3();
  readFloat();
  material.textureId = file.readInt();
  return recordComplete("material '" + material.name + "'");
}

bool SceneFileReader::readLight(SceneLight& light) {
  light.id = file.readInt();
  light.type = file.readInt();
  light.color = readVector3();
  return recordComplete("light " + std::to_string(light.id));
}

bool SceneFileReader::readNode(SceneNode& node) {
  node = SceneNode();
  node.id = file.readInt();
  node.type = file.readInt();
  if (node.type < SCENE_NODE_EMPTY || node.type > SCENE_NODE_LIGHT) {
    return recordComplete("node " + std::to_string(node.id));
  }
  if (node.type != SCENE_NODE_EMPTY) node.reference = file.readInt();
  node.parentId = file.readInt();
  node.name = file.readString();
  node.matrix = readMatrix();
  // The material id of mesh nodes; camera and light nodes end with an unused int.
  if (node.type != SCENE_NODE_EMPTY) node.materialId = file.readInt();
  if (node.type != SCENE_NODE_MESH) node.materialId = -1;
  return recordComplete("node '" + node.name + "'");
}

bool SceneFileReader::readKeyframeHeader(int& count) {
  file.readInt();
  return readCount(ANIMATIONS, count);
}

bool SceneFileReader::readAnimation(SceneAnimation& animation) {
  animation = SceneAnimation();
  const int keys = file.readInt();
  animation.targetType = file.readInt();
  animation.targetId = static_cast<unsigned>(file.readInt());
  const std::string where = "animation of target " + std::to_string(animation.targetId);
  if (!recordComplete(where)) return false;
  if (keys < 0) return fail(where + " has a negative key count");
  if (static_cast<uint64_t>(keys) * keyBytes > file.remaining()) {
    return fail(where + " has " + std::to_string(keys) + " keys, more than the file holds");
  }
  const size_t n = static_cast<size_t>(keys);
  animation.times.resize(n);
  animation.translations.resize(n);
  animation.rotations.resize(n);
  for (float& time : animation.times) time = readFloat();
  for (Vector3f& translation : animation.translations) translation = readVector3();
  for (int axis = 0; axis < 3; ++axis) {
    for (Vector3f& rotation : animation.rotations) rotation[axis] = readFloat();
  }
  return recordComplete(where);
}

unsigned SceneFileReader::keyTimeMs(float seconds) {
  if (!(seconds > 0.0f)) return 0;
  const double whole = std::floor(static_cast<double>(seconds));
  return static_cast<unsigned>(std::min(whole, 4294967.0)) * 1000u;
}

bool SceneFileReader::readScene(File& scene, File* keyframes, const std::string& fileName,
                                SceneDescription& out, std::string& error) {
  SceneFileReader reader(scene, fileName);
  auto records = [&reader](auto& list, Record kind, auto read) {
    int count = 0;
    if (!reader.readCount(kind, count)) return false;
    for (int i = 0; i < count; ++i) {
      list.emplace_back();
      if (!(reader.*read)(list.back())) return false;
    }
    return true;
  };
  bool ok = reader.readVersion() && records(out.meshes, MESHES, &SceneFileReader::readMesh) &&
            records(out.textures, TEXTURES, &SceneFileReader::readTexture) &&
            records(out.materials, MATERIALS, &SceneFileReader::readMaterial) &&
            records(out.lights, LIGHTS, &SceneFileReader::readLight) &&
            records(out.nodes, NODES, &SceneFileReader::readNode);
  if (ok && keyframes != nullptr && keyframes->exists()) {
    SceneFileReader kf(*keyframes, fileName + ".kf");
    int count = 0;
    ok = kf.readKeyframeHeader(count);
    for (int i = 0; ok && i < count; ++i) {
      out.animations.emplace_back();
      ok = kf.readAnimation(out.animations.back());
    }
    if (!ok) error = kf.getErrorMessage();
    return ok;
  }
  if (!ok) error = reader.getErrorMessage();
  return ok;
}
