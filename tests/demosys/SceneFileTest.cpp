// Scene files and the scene graph without GL, where the production's frames do not look: damaged
// files are refused with a reason. What a written scene reads back as is `demosys scene info`'s
// (ToolCommands), the scene fuzzer's (its corpus read both ways) and the arena's.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "demosys/render/ShaderInstance.h"
#include "demosys/render/VBO.h"
#include "demosys/scene/QNVAnimTimer.h"
#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVMesh.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVObjectGroup.h"
#include "demosys/scene/QNVScene.h"
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

namespace {

void expectNear(const Vector3f& actual, const Vector3f& expected) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4f) << "component " << i;
}

QNVObject* object(QNVScene& scene, const std::string& name, VBO* mesh, QNVObject* parent, const Vector3f& at) {
  auto* o = new QNVObject();
  o->setName(name);
  o->setVBO(mesh);
  o->setLocalTranslation(at);
  if (parent != nullptr) {
    o->setParent(parent);
    parent->addChild(o);
  }
  scene.AddObject(o);
  return o;
}

// A scene of a pivot at (0,2,0) holding two children on one mesh and one on another.
struct TreeScene {
  QNVScene scene;
  VBO* box = new VBO();
  VBO* other = new VBO();
  QNVObject* pivot;
  QNVObject* a;
  QNVObject* b;
  QNVObject* c;
  TreeScene() {
    box->setBBoxMin(Vector3f(-1, -1, -1));
    box->setBBoxMax(Vector3f(1, 1, 1));
    scene.adoptMesh(box);
    scene.adoptMesh(other);
    pivot = object(scene, "pivot", nullptr, nullptr, Vector3f(0, 2, 0));
    a = object(scene, "a", box, pivot, Vector3f(1, 0, 0));
    c = object(scene, "c", other, pivot, Vector3f(0, 0, 0));
    b = object(scene, "b", box, pivot, Vector3f(-3, 0, 0));
  }
};

}  // namespace

// The production's paths are Catmull-Rom and show in its frames; the linear curve and a lone key
// only here.
TEST(SceneAnimation, LinearFollowsItsKeysAndOneKeyHoldsEverywhere) {
  QNVAnimation animation;
  animation.addTranslation(0, Vector3f(0, 0, 0));
  animation.addTranslation(1000, Vector3f(10, 0, 0));
  animation.setInterpolationType(QNVAnimation::LINEAR);
  const std::pair<float, float> linear[] = {{0.5f, 5}, {-1.0f, 0}, {3.0f, 10}, {0.25f, 2.5f}};
  for (const auto& c : linear) expectNear(animation.getTranslation(c.first), Vector3f(c.second, 0, 0));
  animation.setInterpolationType(7);
  expectNear(animation.getTranslation(0.5f), Vector3f(0, 0, 0));
  animation.init();
  EXPECT_EQ(animation.getEndTime(), 1000u);
  for (unsigned type : {0u, 1u}) {
    QNVAnimation single;
    single.setInterpolationType(type);
    single.addRotation(500, Vector3f(1, 2, 3));
    for (float t : {-2.0f, 0.5f, 9.0f}) expectNear(single.getRotation(t), Vector3f(1, 2, 3));
  }
}

// The animated pose's rotation convention shows in every arena frame; a constant rotation driven by
// an animation timer turns about its axis by degrees per second.
TEST(SceneObject, ConstantRotationFollowsTheAnimTimer) {
  QNVObject o;
  QNVAnimTimer timer;
  timer.updateTime(2.0f);
  o.setAnimTimer(&timer);
  o.setConstantRotation(Vector3f(0, 1, 0), 45.0f);
  o.transform(100.0f);
  expectNear(o.getGlobalMatrix().transformDirection(Vector3f(1, 0, 0)), Vector3f(0, 0, -1));
}

// The angles tools write for a pose: poseAngles undoes poseRotation, also straight up and down.
TEST(PoseAngles, TurnBackIntoTheRotationTheyCameFrom) {
  const Vector3f cases[] = {{0, 0, 0}, {90, 0, 0}, {10, 20, 30}, {-120, 45, 170}, {30, 0, 90}, {0, 60, -90}};
  for (const Vector3f& angles : cases) {
    const Matrix rotation = QNVObject::poseRotation(angles);
    const Matrix back = QNVObject::poseRotation(QNVObject::poseAngles(rotation));
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(back[i], rotation[i], 1e-5f) << angles[0] << " " << angles[1] << " " << angles[2];
  }
  const Vector3f plain = QNVObject::poseAngles(QNVObject::poseRotation(Vector3f(10, 20, 30)));
  EXPECT_NEAR(plain[0], 10.0f, 1e-3f);
  EXPECT_NEAR(plain[1], 20.0f, 1e-3f);
  EXPECT_NEAR(plain[2], 30.0f, 1e-3f);
}

// Boxes and poses through the tree show in the production's frames; the draw list's grouping is
// the order objects of one mesh are drawn in.
TEST(SceneTree, DrawListGroupsByMeshInSceneOrder) {
  TreeScene t;
  t.scene.calcGlobalData(0.0f);
  expectNear(t.b->getGlobalTranslation(), Vector3f(-3, 2, 0));
  t.scene.buildSmartDrawList();
  ASSERT_EQ(t.scene.getDrawList().size(), 2u);
  const QNVObjectGroup* group = t.scene.getDrawList().at(t.box);
  ASSERT_EQ(group->countObjects(), 2);
  EXPECT_EQ(group->getObject(0), t.a);
  EXPECT_EQ(group->getObject(1), t.b);
}

TEST(SceneTree, CloningCopiesTheSubtreeUnderNewNames) {
  TreeScene t;
  QNVObject* copy = t.scene.cloneObjectsRecursive(t.pivot, "twin", nullptr);
  EXPECT_EQ(t.scene.countObjects(), 8);
  EXPECT_EQ(t.scene.countRoots(), 2);
  ASSERT_EQ(copy->countChildren(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(copy->getChild(i)->getName(), "twin_c" + std::to_string(i));
    EXPECT_EQ(copy->getChild(i)->getParent(), copy);
    EXPECT_EQ(copy->getChild(i)->getVBO(), t.pivot->getChild(i)->getVBO());
  }
  EXPECT_EQ(t.pivot->getChild(0), t.a);
  EXPECT_EQ(t.scene.getObjectByName("twin_c2")->getVBO(), t.box);
}

// Shader instances and timers reaching their objects by scene, material and name show in the
// arena's frames; hiding a subtree shows in none.
TEST(SceneTree, HidingAnObjectHidesItsSubtreeAndUnknownNamesReachNobody) {
  TreeScene t;
  ShaderInstance named;
  t.scene.ApplyShaderInstance("nobody", &named);
  t.pivot->setVisible(false, true);
  EXPECT_FALSE(t.c->isVisible());
  EXPECT_EQ(t.c->getShaderInstance(), nullptr);
}

// A unit square of two triangles in the z = 0 plane, texture coordinates from the positions.
TEST(SceneMesh, NormalsAndTangentsOfAFlatSquare) {
  QNVMesh mesh(4, 2, 3);
  const Vector3f corners[4] = {Vector3f(0, 0, 0), Vector3f(1, 0, 0), Vector3f(1, 1, 0), Vector3f(0, 1, 0)};
  for (int i = 0; i < 4; ++i) {
    mesh.getVertexPointer()[i] = corners[i];
    mesh.setTexCoord(i, Vector2f(corners[i][0], corners[i][1]));
  }
  mesh.setTriangle(0, 0, 1, 2);
  mesh.setTriangle(1, 0, 2, 3);
  mesh.setTriangle(5, 0, 1, 2);  // past the faces: ignored
  EXPECT_EQ(mesh.getVertexRecord(0).getPolyListSize(), 2);
  mesh.calcFNormals(mesh.getVertexPointer());
  mesh.calcVNormals(mesh.getVertexNormalPointer());
  for (int i = 0; i < 4; ++i) expectNear(mesh.getVertexNormalPointer()[i], Vector3f(0, 0, 1));
  Vector3f tangents[4], bitangents[4];
  mesh.calcTangents(mesh.getVertexPointer(), tangents, bitangents);
  expectNear(tangents[2], Vector3f(1, 0, 0));
  expectNear(bitangents[2], Vector3f(0, 1, 0));
  mesh.setTexCoord(1, Vector2f(0, 0));
  mesh.setTexCoord(2, Vector2f(0, 0));
  mesh.calcTangents(mesh.getVertexPointer(), tangents, bitangents);
  EXPECT_FALSE(std::isfinite(tangents[1][0]));
}
