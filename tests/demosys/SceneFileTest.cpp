// Scene and keyframe files without GL: damaged files are refused with a reason (never read past
// their end), and the de-indexing. What a written scene reads back as is `demosys scene info`'s
// (ToolCommands), the scene fuzzer's (its corpus read both ways) and the arena's.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>

#include "demosys/scene/SceneFileReader.h"
#include "tests/support/SceneSamples.h"

namespace {

std::string readError(File& scene, File* keyframes) {
  SceneDescription out;
  std::string error;
  EXPECT_FALSE(SceneFileReader::readScene(scene, keyframes, "s.bin", out, error));
  return error;
}

// A file of the given bytes.
std::unique_ptr<File> bytesFile(const std::vector<unsigned char>& bytes) {
  auto file = std::make_unique<File>("s.bin");
  file->put(bytes.data(), bytes.size());
  file->exists(true);
  return file;
}

void putIntAt(std::vector<unsigned char>& bytes, size_t at, int32_t value) { std::memcpy(&bytes[at], &value, 4); }

// Offsets in the sample's bytes: version, mesh count, then the cube's id and its name "cube\0".
constexpr size_t meshFields = 4 + 4 + 4 + 5;
constexpr size_t positionCountAt = meshFields, positionOffsetAt = meshFields + 4, indexCountAt = meshFields + 24;
constexpr size_t firstPositionAt = meshFields + 28 + 24;

}  // namespace

// Every cut of the file ends inside some record; none may load or read past the end.
TEST(SceneFile, EveryTruncationIsRefused) {
  const std::vector<unsigned char> whole = sceneFile(sampleScene())->getUnsigned();
  for (size_t size = 0; size < whole.size(); ++size) {
    auto file = bytesFile(std::vector<unsigned char>(whole.begin(), whole.begin() + static_cast<long>(size)));
    SCOPED_TRACE(size);
    const std::string error = readError(*file, nullptr);
    EXPECT_EQ(error.rfind(size == 0 ? "Invalid object version" : "Object 's.bin': ", 0), 0u) << error;
  }
}

TEST(SceneFile, DamagedFieldsAreRefusedWithTheirReason) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    std::function<void(std::vector<unsigned char>&)> damage;
    const char* reason;
  } cases[] = {
      {"version", [](auto& b) { putIntAt(b, 0, 2); },
       "Invalid object version in file 's.bin', File version states version 2. Expected version 1."},
      {"negative mesh count", [](auto& b) { putIntAt(b, 4, -1); }, "negative mesh count -1"},
      {"huge mesh count", [](auto& b) { putIntAt(b, 4, 1 << 30); }, "mesh count 1073741824 exceeds the file"},
      {"huge index count", [](auto& b) { putIntAt(b, indexCountAt, 1 << 29); }, "counts that exceed the file"},
      {"negative position count", [](auto& b) { putIntAt(b, positionCountAt, -3); }, "has a negative count"},
      {"two lists in one slot", [](auto& b) { putIntAt(b, positionOffsetAt, 1); },
       "overlapping or invalid list offsets"},
      {"non-finite position", [nan](auto& b) { std::memcpy(&b[firstPositionAt], &nan, 4); }, "not finite"},
  };
  const std::vector<unsigned char> whole = sceneFile(sampleScene())->getUnsigned();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<unsigned char> bytes = whole;
    c.damage(bytes);
    const std::string error = readError(*bytesFile(bytes), nullptr);
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

TEST(SceneFile, MeshListsAndIndicesAreChecked) {
  struct Case {
    const char* what;
    std::function<void(SceneMesh&)> change;
    const char* reason;
  } cases[] = {
      {"no lists", [](SceneMesh& m) { m = SceneMesh(); m.name = "cube"; }, "has no positions, normals or texture coordinates"},
      {"index count not a multiple", [](SceneMesh& m) { m.indices.pop_back(); }, "107 indices, not a multiple of 3"},
      {"index past its list", [](SceneMesh& m) { m.indices[1] = 6; }, "index 6 outside its list"},
      {"negative index", [](SceneMesh& m) { m.indices[0] = -1; }, "index -1 outside its list"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SceneDescription scene = sampleScene();
    c.change(scene.meshes[0]);
    const std::string error = readError(*sceneFile(scene), nullptr);
    EXPECT_EQ(error.rfind("Object 's.bin': mesh 'cube' ", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

TEST(SceneFile, KeyframeCountBeyondTheFileIsRefused) {
  const SceneDescription scene = sampleScene();
  std::vector<unsigned char> bytes = keyframeFile(scene)->getUnsigned();
  putIntAt(bytes, 8, 100000);
  auto keyframes = bytesFile(bytes);
  EXPECT_EQ(readError(*sceneFile(scene), keyframes.get()),
            "Object 's.bin.kf': animation of target 2 has 100000 keys, more than the file holds\n");
}

// Positions and normals only, slots 0 and 1: 36 indices are 18 tuples of six floats.
TEST(SceneFile, InterleavingFollowsTheSlots) {
  SceneMesh mesh = sampleCube(1, "m");
  mesh.texCoords.clear();
  mesh.indices.clear();
  for (int k = 0; k < 18; ++k) mesh.addTuple(k % 8, k % 6, -1);
  ASSERT_EQ(mesh.indices.size(), 36u);
  const std::vector<float> vertices = SceneFileReader::interleave(mesh);
  ASSERT_EQ(vertices.size(), 18u * 6u);
  EXPECT_EQ(Vector3f(vertices[6 * 5], vertices[6 * 5 + 1], vertices[6 * 5 + 2]), mesh.positions[5]);
  EXPECT_EQ(Vector3f(vertices[6 * 7 + 3], vertices[6 * 7 + 4], vertices[6 * 7 + 5]), mesh.normals[1]);
}
