// Letterbox view and perspective projection of the screen metrics.
#include <gtest/gtest.h>

#include "demosys/core/ScreenMetrics.h"

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
