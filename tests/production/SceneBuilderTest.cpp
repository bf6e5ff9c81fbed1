// The scene builder where the production's frames do not check it; animation keys, camera aims and
// mesh axes show in every arena frame.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "demosys/scene/QNVObject.h"
#include "resources/generators/scenes/MeshShapes.h"
#include "resources/generators/scenes/SceneBuilder.h"

namespace {

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
