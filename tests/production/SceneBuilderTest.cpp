// The scene builder writes what the engine poses as intended: a static pose and an animation key
// with the same values agree with the engine's own pose rotation, a child follows its pivot
// through an animation, cameras look at their targets and turn the short way, meshes arrive in
// the engine's y-up axes, and the mistakes a generator can make are reported.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "demosys/scene/QNVAnimation.h"
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

QNVAnimation* engineAnimation(const SceneAnimation& written) {
  auto* animation = new QNVAnimation();
  for (std::size_t k = 0; k < written.times.size(); ++k) {
    const unsigned ms = static_cast<unsigned>(written.times[k]) * 1000u;
    animation->addTranslation(ms, written.translations[k]);
    animation->addRotation(ms, written.rotations[k]);
  }
  animation->setInterpolationType(0);
  animation->init();
  return animation;
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

TEST(SceneBuilder, ChildFollowsItsAnimatedPivot) {
  SceneBuilder builder;
  const int cube = cubeMesh(builder);
  const Pose pivot{Vector3f(2, 0, 1), Vector3f()};
  const int turret = builder.group("turret", SceneBuilder::root, pivot);
  builder.object("barrel", cube, -1, turret, {Vector3f(1, 0, 0), Vector3f()});
  builder.animate(turret, {{0, pivot}, {10, {pivot.position, Vector3f(0, 0, 90)}}});
  ASSERT_TRUE(builder.ok()) << builder.firstError();
  const SceneDescription& scene = builder.description();

  QNVObject parent, child;
  parent.setAnimation(engineAnimation(scene.animations.at(0)));
  child.getLocalMatrix() = scene.nodes.at(1).matrix;
  parent.addChild(&child);
  const struct {
    float seconds;
    Vector3f barrel;  // modelling axes
  } cases[] = {{0.0f, {3, 0, 1}}, {10.0f, {2, 1, 1}}, {5.0f, {2 + std::sqrt(0.5f), std::sqrt(0.5f), 1}}};
  for (const auto& c : cases) {
    parent.calcGlobalDataRecursive(c.seconds, Matrix::identity());
    expectNear(SceneBuilder::fromEngine(child.getGlobalTranslation()), c.barrel, "at " + std::to_string(c.seconds));
  }
  delete parent.getAnimation();
}

TEST(SceneBuilder, CameraKeysLookAtTheirTargetsAndTurnTheShortWay) {
  const struct {
    Vector3f eye, target;
  } views[] = {{{0, -10, 0}, {0, 0, 0}}, {{5, 5, 8}, {0, 0, 0}}, {{-3, 2, 1}, {4, -6, 2}}, {{0, 0, 9}, {1, 0, 0}}};
  for (const auto& v : views) {
    SceneBuilder builder;
    builder.camera("view", {{0, v.eye, v.target}});
    const SceneAnimation& keys = builder.description().animations.at(0);
    const Vector3f p = keys.translations[0], r = keys.rotations[0];
    // The engine's camera: Rx(90 - x) Ry(-z) Rz(-y) T(-p).
    const Matrix view = Matrix::rotationX(90.0f - r[0]) * Matrix::rotationY(-r[2]) * Matrix::rotationZ(-r[1]) *
                        Matrix::translation(-p);
    const float distance = (v.target - v.eye).length();
    expectNear(view.transformPoint(SceneBuilder::toEngine(v.target)), Vector3f(0, 0, -distance), "target in view");
  }
  SceneBuilder turning;
  turning.camera("pan", {{0, {0, 0, 0}, {-1, -10, 0}}, {4, {0, 0, 0}, {1, -10, 0}}});
  const auto& headings = turning.description().animations.at(0).rotations;
  EXPECT_NEAR(std::fabs(headings[1][2] - headings[0][2]), 2.0f * std::atan(0.1f) * 57.29578f, 1e-3f);
}

TEST(SceneBuilder, MeshesArriveInTheEnginesAxes) {
  SceneBuilder builder;
  ModelMesh box = MeshShapes::box({2, 4, 6});
  box.computeNormals(0.0f);
  builder.mesh("box", box);
  const SceneMesh& mesh = builder.description().meshes.at(0);
  ASSERT_EQ(mesh.tupleCount(), box.triangleCount() * 3);
  expectNear(mesh.bboxMin, Vector3f(-1, -3, -2), "box minimum");
  expectNear(mesh.bboxMax, Vector3f(1, 3, 2), "box maximum");
  for (int k = 0; k < mesh.tupleCount(); ++k) {
    const int t = k / 3, corner = k % 3;
    EXPECT_EQ(mesh.indices[k * 3], box.triangles()[t][corner]);
    expectNear(mesh.normals[mesh.indices[k * 3 + 1]], SceneBuilder::toEngine(box.cornerNormals()[k]), "normal");
  }
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
