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
bool SceneFileReader::checkMeshLayout(const std::string& mesh, MeshLayout& layout) {
  const std::string where = "mesh '" + mesh + "'";
  bool used[3] = {false, false, false};
  int listInSlot[3] = {-1, -1, -1};
  layout.stride = 0;
  for (int list = 0; list < 3; ++list) {
    if (layout.counts[list] == 0) continue;
    const int offset = layout.offsets[list];
    if (offset < 0 || offset > 2 || used[offset]) return fail(where + " has overlapping or invalid list offsets");
    used[offset] = true;
    listInSlot[offset] = list;
    ++layout.stride;
  }
  if (layout.stride == 0) return fail(where + " has no positions, normals or texture coordinates");
  int j = 0;
  for (int list : listInSlot) {
    if (list != -1) layout.order[j++] = list;
  }
  if (layout.indexCount % layout.stride != 0) {
    return fail(where + " has " + std::to_string(layout.indexCount) + " indices, not a multiple of " +
                std::to_string(layout.stride));
  }
  return true;
}

// The k-th index of the mesh lies inside the list its slot refers to.
bool SceneFileReader::checkIndex(const std::string& mesh, const MeshLayout& layout, std::size_t k, int index) {
  const int list = layout.order[k % static_cast<std::size_t>(layout.stride)];
  if (index >= 0 && index < layout.counts[list]) return true;
  return fail("mesh '" + mesh + "' has index " + std::to_string(index) + " outside its list");
}

bool SceneFileReader::readMeshHeader(SceneMesh& mesh, MeshLayout& layout) {
  mesh = SceneMesh();
  mesh.id = file.readInt();
  mesh.name = file.readString();
  for (int list = 0; list < 3; ++list) {
    layout.counts[list] = file.readInt();
    layout.offsets[list] = file.readInt();
  }
  mesh.positionOffset = layout.offsets[0];
  mesh.normalOffset = layout.offsets[1];
  mesh.texCoordOffset = layout.offsets[2];
  layout.indexCount = file.readInt();
  mesh.bboxMin = readVector3();
  mesh.bboxMax = readVector3();
  const std::string where = "mesh '" + mesh.name + "'";
  if (!recordComplete(where)) return false;
  uint64_t words = static_cast<uint64_t>(std::max(layout.indexCount, 0));
  for (int list = 0; list < 3; ++list) {
    if (layout.counts[list] < 0 || layout.indexCount < 0) return fail(where + " has a negative count");
    words += static_cast<uint64_t>(layout.counts[list]) * listWidths[list];
  }
  if (words * 4 > file.remaining()) return fail(where + " has counts that exceed the file");
  return true;
}

bool SceneFileReader::readMesh(SceneMesh& mesh) {
  MeshLayout layout;
  if (!readMeshHeader(mesh, layout)) return false;
  if (!readList3("positions", mesh.name, layout.counts[0], mesh.positions)) return false;
  if (!readList3("normals", mesh.name, layout.counts[1], mesh.normals)) return false;
  mesh.texCoords.reserve(static_cast<size_t>(layout.counts[2]));
  for (int i = 0; i < layout.counts[2]; ++i) mesh.texCoords.push_back(readVector2());
  if (!checkMeshLayout(mesh.name, layout)) return false;
  mesh.indices.reserve(static_cast<size_t>(layout.indexCount));
  for (int i = 0; i < layout.indexCount; ++i) mesh.indices.push_back(file.readInt());
  if (!recordComplete("mesh '" + mesh.name + "'")) return false;
  for (std::size_t k = 0; k < mesh.indices.size(); ++k) {
    if (!checkIndex(mesh.name, layout, k, mesh.indices[k])) return false;
  }
  return true;
}

// The lists are checked as readMesh reads them; each index then fetches its list entry from the
// file. The counts fit the file, so the index list cannot run past its end.
bool SceneFileReader::readMeshVertices(SceneMesh& mesh, Vertices& vertices) {
  MeshLayout layout;
  if (!readMeshHeader(mesh, layout)) return false;
  const char* checkedLists[3] = {"positions", "normals", nullptr};
  uint32_t listAt[3];
  for (int list = 0; list < 3; ++list) {
    listAt[list] = file.getReadOffset();
    const uint64_t floats = static_cast<uint64_t>(layout.counts[list]) * listWidths[list];
    for (uint64_t i = 0; i < floats; ++i) readFloat();
    if (checkedLists[list] != nullptr &&
        !recordComplete(std::string("the ") + checkedLists[list] + " of mesh '" + mesh.name + "'")) {
      return false;
    }
  }
  if (!checkMeshLayout(mesh.name, layout) || !recordComplete("mesh '" + mesh.name + "'")) return false;
  vertices.count = layout.indexCount / layout.stride;
  int* components[3] = {&vertices.positionComponents, &vertices.normalComponents, &vertices.texCoordComponents};
  std::size_t floatsPerTuple = 0;
  for (int list = 0; list < 3; ++list) {
    *components[list] = layout.counts[list] == 0 ? 0 : listWidths[list];
    floatsPerTuple += static_cast<std::size_t>(*components[list]);
  }
  vertices.floats.clear();
  vertices.floats.reserve(static_cast<std::size_t>(vertices.count) * floatsPerTuple);
  for (std::size_t k = 0; k < static_cast<std::size_t>(layout.indexCount); ++k) {
    const int index = file.readInt();
    if (!checkIndex(mesh.name, layout, k, index)) return false;
    const int list = layout.order[k % static_cast<std::size_t>(layout.stride)];
    const uint32_t next = file.getReadOffset();
    file.setReadOffset(listAt[list] + static_cast<uint32_t>(index) * listWidths[list] * 4u);
    for (uint32_t w = 0; w < listWidths[list]; ++w) vertices.floats.push_back(file.readFloat());
    file.setReadOffset(next);
  }
  return true;
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
