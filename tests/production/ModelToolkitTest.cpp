// The scene generators: the toolkit's shapes are closed, face outwards, fill their box and carry
// texture coordinates in range and creased normals; the builder where the arena's frames (which show
// animation keys, camera aims and mesh axes) do not check it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "demosys/scene/QNVObject.h"
#include "resources/generators/scenes/MeshShapes.h"
#include "resources/generators/scenes/SceneBuilder.h"

namespace {

// Directed edge counts: a closed, consistently wound mesh has each edge once in each direction.
bool closedAndConsistent(const ModelMesh& mesh, std::string& why) {
  std::map<std::pair<int, int>, int> edges;
  for (const auto& t : mesh.triangles()) {
    for (int k = 0; k < 3; ++k) ++edges[{t[k], t[(k + 1) % 3]}];
  }
  for (const auto& [edge, count] : edges) {
    const auto back = edges.find({edge.second, edge.first});
    if (count != 1 || back == edges.end() || back->second != 1) {
      why = "edge " + std::to_string(edge.first) + "-" + std::to_string(edge.second) + " used " +
            std::to_string(count) + " times, back " + std::to_string(back == edges.end() ? 0 : back->second);
      return false;
    }
  }
  return true;
}

float volume(const ModelMesh& mesh) {
  float sum = 0.0f;
  for (const auto& t : mesh.triangles()) {
    const auto& p = mesh.positions();
    sum += p[t[0]].dot(p[t[1]].cross(p[t[2]])) / 6.0f;
  }
  return sum;
}

struct Shape {
  const char* name;
  std::function<ModelMesh()> make;
  Vector3f low, high;
  float expectedVolume;  // 0: only checked to be positive
};

const std::vector<Vector2f> lShape = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 3}, {0, 3}};

TEST(ModelToolkit, ShapesAreClosedFaceOutwardsAndFillTheirBox) {
  const float pi = 3.14159265f;
  const Shape shapes[] = {
      {"box", [] { return MeshShapes::box({2, 4, 6}); }, {-1, -2, -3}, {1, 2, 3}, 48.0f},
      {"bevelled box", [] { return MeshShapes::box({2, 2, 2}, 0.2f); }, {-1, -1, -1}, {1, 1, 1}, 0.0f},
      {"cylinder", [] { return MeshShapes::cylinder(1, 2, 64); }, {-1, -1, 0}, {1, 1, 2}, 2 * pi},
      {"cone", [] { return MeshShapes::cone(1, 3, 64); }, {-1, -1, 0}, {1, 1, 3}, pi},
      {"sphere", [] { return MeshShapes::sphere(1, 48, 24); }, {-1, -1, -1}, {1, 1, 1}, 4.0f / 3.0f * pi},
      {"capsule", [] { return MeshShapes::capsule(0.5f, 3, 32); }, {-0.5f, -0.5f, -1.5f}, {0.5f, 0.5f, 1.5f}, 0.0f},
      {"torus", [] { return MeshShapes::torus(2, 0.5f, 64, 32); }, {-2.5f, -2.5f, -0.5f}, {2.5f, 2.5f, 0.5f},
       2 * pi * pi * 2 * 0.25f},
      {"extruded L", [] { return MeshShapes::extrude(lShape, 0.5f); }, {0, 0, 0}, {2, 3, 0.5f}, 2.0f},
      {"bevelled L", [] { return MeshShapes::extrude(lShape, 0.5f, 0.1f); }, {0, 0, 0}, {2, 3, 0.5f}, 0.0f},
      {"bent tube", [] { return MeshShapes::tube({{0, 0, 0}, {0, 0, 2}, {2, 0, 2}}, 0.25f, 24); },
       {-0.25f, -0.25f, 0.0f}, {2.0f, 0.25f, 2.25f}, 0.0f},  // flat ends at the path's ends
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    ModelMesh mesh = shape.make();
    std::string why;
    EXPECT_TRUE(closedAndConsistent(mesh, why)) << why;
    const float v = volume(mesh);
    EXPECT_GT(v, 0.0f) << "faces point inwards";
    if (shape.expectedVolume > 0.0f) {
      EXPECT_NEAR(v, shape.expectedVolume, shape.expectedVolume * 0.02f);
    }
    Vector3f low, high;
    mesh.bounds(low, high);
    for (int a = 0; a < 3; ++a) {
      EXPECT_NEAR(low[a], shape.low[a], 0.02f) << "axis " << a;
      EXPECT_NEAR(high[a], shape.high[a], 0.02f) << "axis " << a;
    }
    ASSERT_EQ(mesh.cornerUVs().size(), mesh.triangles().size() * 3);
    for (const Vector2f& uv : mesh.cornerUVs()) {
      ASSERT_TRUE(std::isfinite(uv[0]) && std::isfinite(uv[1]));
      if (std::string(shape.name).find(" L") == std::string::npos) {  // caps are planar in units
        EXPECT_TRUE(uv[0] >= 0 && uv[0] <= 1 && uv[1] >= 0 && uv[1] <= 1) << uv[0] << "," << uv[1];
      }
    }
    mesh.computeNormals(40.0f);
    for (int f = 0; f < mesh.triangleCount(); ++f) {
      for (int k = 0; k < 3; ++k) {
        const Vector3f& n = mesh.cornerNormals()[f * 3 + k];
        ASSERT_NEAR(n.length(), 1.0f, 1e-3f);
        ASSERT_GT(n.dot(mesh.faceNormal(f)), 0.5f) << "a corner normal leans past the crease";
      }
    }
  }
}

TEST(ModelToolkit, MirroredPartsStillFaceOutwards) {
  ModelMesh wing = MeshShapes::box({1, 1, 1});
  ModelMesh pair;
  pair.append(wing, Matrix::translation({2, 0, 0}));
  pair.addMirror(0);
  std::string why;
  EXPECT_TRUE(closedAndConsistent(pair, why)) << why;
  EXPECT_NEAR(volume(pair), 2.0f, 1e-3f);
  Vector3f low, high;
  pair.bounds(low, high);
  EXPECT_FLOAT_EQ(low[0], -2.5f);
  EXPECT_FLOAT_EQ(high[0], 2.5f);
}

void expectNear(const Vector3f& actual, const Vector3f& expected, const std::string& what) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4f) << what << " component " << i;
}

int cubeMesh(SceneBuilder& builder) {
  ModelMesh cube = MeshShapes::box({1, 1, 1});
  cube.computeNormals(0.0f);
  return builder.mesh("cube", cube);
}

TEST(SceneBuilder, StaticPoseTurnsLikeTheEnginesAnimatedPose) {
  const Vector3f rotations[] = {{0, 0, 90}, {30, 0, 0}, {0, 45, 0}, {20, -35, 70}};
  for (const Vector3f& r : rotations) {
    const Matrix written = SceneBuilder::engineMatrix({Vector3f(1, 2, 3), r});
    const Matrix engine = QNVObject::poseRotation(r);
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(written[i], engine[i], 1e-5f) << "element " << i;
    expectNear(written.getTranslation(), Vector3f(1, 3, -2), "translation");
  }
}

// Where a camera looks the production's frames show; which way it turns between two keys that
// straddle the heading's wrap they don't.
TEST(SceneBuilder, CameraKeysTurnTheShortWay) {
  SceneBuilder turning;
  turning.camera("pan", {{0, {0, 0, 0}, {-1, -10, 0}}, {4, {0, 0, 0}, {1, -10, 0}}});
  const auto& headings = turning.description().animations.at(0).rotations;
  EXPECT_NEAR(std::fabs(headings[1][2] - headings[0][2]), 2.0f * std::atan(0.1f) * 57.29578f, 1e-3f);
}

TEST(SceneBuilder, ReportsTheFirstMistake) {
  const struct {
    const char* what;
    std::function<void(SceneBuilder&)> build;
    const char* error;  // empty: none
  } cases[] = {
      {"four lights", [](SceneBuilder& b) { for (int i = 0; i < 4; ++i) b.light("l" + std::to_string(i), {1, 1, 1}, {0, 0, 1}); }, ""},
      {"five lights", [](SceneBuilder& b) { for (int i = 0; i < 5; ++i) b.light("l" + std::to_string(i), {1, 1, 1}, {0, 0, 1}); },
       "light 'l4' is one more than the engine uses"},
      {"name twice", [](SceneBuilder& b) { b.group("a", 0); b.object("a", cubeMesh(b), -1, 0); }, "the name 'a' is used twice"},
      {"unknown parent", [](SceneBuilder& b) { b.group("a", 7); }, "'a' has an unknown parent"},
      {"unknown mesh", [](SceneBuilder& b) { b.object("a", 3, -1, 0); }, "'a' names an unknown mesh"},
      {"keys backwards", [](SceneBuilder& b) { b.animate(b.group("a", 0), {{2, {}}, {1, {}}}); },
       "the keys of 'a' are not in time order"},
      {"no camera keys", [](SceneBuilder& b) { b.camera("c", {}); }, "'c' has no keys"},
      {"camera animated as an object", [](SceneBuilder& b) { b.animate(b.camera("c", {{0, {}, {0, 1, 0}}}), {{0, {}}}); },
       "an animation names node 1, which is no object"},
      {"mesh without normals", [](SceneBuilder& b) { b.mesh("raw", MeshShapes::box({1, 1, 1})); }, "mesh 'raw' has no normals"},
  };
  for (const auto& c : cases) {
    SceneBuilder builder;
    c.build(builder);
    EXPECT_EQ(builder.firstError(), c.error) << c.what;
  }
}

}  // namespace

