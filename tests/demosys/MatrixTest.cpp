// Vectors, the matrix operations no other suite reaches (rotations, products and the translation
// column show in the scene graph's and builder's tests and the arena's frames), and the screen's
// letterbox view and projection.
#include "demosys/math/Matrix.h"

#include <gtest/gtest.h>

#include "demosys/core/ScreenMetrics.h"
#include "demosys/math/Vector.h"

namespace {

void expectNear(const Vector3f& actual, const Vector3f& expected) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "component " << i;
}

void expectNear(const Matrix& actual, const Matrix& expected) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "element " << i;
}

// A rotation about every axis plus a translation, as the scene graph builds them.
Matrix rigidTransform() {
  return Matrix::translation(Vector3f(4, -2, 9)) * Matrix::rotationZ(30) * Matrix::rotationY(-50) *
         Matrix::rotationX(70);
}

}  // namespace

TEST(Matrix, InPlaceProductTakesTheOtherFactorOnTheRight) {
  const Matrix a = rigidTransform();
  const Matrix b = Matrix::translation(Vector3f(-1, 0.5f, 2)) * Matrix::rotationX(-25);
  Matrix c = a;
  c *= b;
  expectNear(c, a * b);
}

TEST(Matrix, RigidInverseUndoesTheTransform) {
  const Matrix m = rigidTransform();
  const Matrix inverse = m.rigidInverse();
  expectNear(inverse * m, Matrix());
  expectNear(m * inverse, Matrix());
  const Vector3f p(5, -7, 0.25f);
  expectNear(inverse.transformPoint(m.transformPoint(p)), p);
  expectNear(Matrix::translation(Vector3f(3, 4, 5)).rigidInverse().getTranslation(), Vector3f(-3, -4, -5));
}

TEST(Vector, DotAndCrossProducts) {
  const Vector3f x(1, 0, 0);
  const Vector3f y(0, 1, 0);
  const Vector3f z(0, 0, 1);
  EXPECT_EQ(x.cross(y), z);
  EXPECT_EQ(y.cross(z), x);
  EXPECT_EQ(z.cross(x), y);
  EXPECT_EQ(y.cross(x), -z);
  const Vector3f a(2, 3, 4);
  const Vector3f b(5, 6, 7);
  EXPECT_EQ(a.cross(b), Vector3f(-3, 6, -3));
  EXPECT_EQ(a.cross(b).dot(a), 0.0f);
  EXPECT_EQ(a.cross(b).dot(b), 0.0f);
  EXPECT_EQ(a.dot(b), 56.0f);
  EXPECT_EQ(Vector3i(1, -2, 3).dot(Vector3i(4, 5, 6)), 12);
  EXPECT_EQ(Vector3i(1, 0, 0).cross(Vector3i(0, 1, 0)), Vector3i(0, 0, 1));
}

TEST(Vector, LengthAndNormalise) {
  EXPECT_FLOAT_EQ(Vector3f(3, 4, 0).length(), 5.0f);
  EXPECT_FLOAT_EQ(Vector2f(-6, 8).length(), 10.0f);
  EXPECT_FLOAT_EQ(Vector4i(1, 1, 1, 1).length(), 2.0f);
  Vector3f v(0, -3, 4);
  v.normalise();
  EXPECT_FLOAT_EQ(v.length(), 1.0f);
  EXPECT_FLOAT_EQ(v.y(), -0.6f);
  EXPECT_FLOAT_EQ(v.z(), 0.8f);
  const Vector3f n = Vector3f(2, 2, 1).normalised();
  EXPECT_FLOAT_EQ(n.x(), 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(n.z(), 1.0f / 3.0f);
  // A degenerate normal stays zero instead of turning into NaN.
  EXPECT_EQ(Vector3f().normalised(), Vector3f());
}

namespace {

std::vector<int> viewport(int width, int height) {
  ScreenMetrics metrics;
  metrics.setResolution(width, height);
  metrics.initView();
  return {metrics.viewportX, metrics.viewportY, metrics.viewportWidth, metrics.viewportHeight};
}

TEST(ScreenMetricsTest, ViewportIsASixteenByNineBandOnePixelNarrowerThanTheWindow) {
  EXPECT_EQ(viewport(1280, 720), (std::vector<int>{0, 0, 1279, 720}));
  EXPECT_EQ(viewport(1280, 1024), (std::vector<int>{0, 152, 1279, 720}));
  EXPECT_EQ(viewport(1920, 1080), (std::vector<int>{0, 0, 1919, 1080}));
  EXPECT_EQ(viewport(1680, 1050), (std::vector<int>{0, 52, 1679, 945}));
  EXPECT_EQ(viewport(1280, 600), (std::vector<int>{0, -60, 1279, 720})) << "wider windows cut top and bottom";
}

TEST(ScreenMetricsTest, ProjectionUsesTheWindowAspectAndTheClipPlanes) {
  ScreenMetrics metrics;
  metrics.setResolution(1024, 768);
  metrics.initView();
  metrics.updateMatrix();
  const float* p = metrics.projection;
  EXPECT_NEAR(p[0], 1.6084f, 5e-5f);
  EXPECT_NEAR(p[5], 2.1445f, 5e-5f);
  EXPECT_NEAR(p[10], -1.0025f, 5e-5f);
  EXPECT_FLOAT_EQ(p[11], -1.0f);
  EXPECT_NEAR(p[14], -2.0025f, 5e-5f);
  for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13, 15}) EXPECT_EQ(p[i], 0.0f) << i;
}

}  // namespace
