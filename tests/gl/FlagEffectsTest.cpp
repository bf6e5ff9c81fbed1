// The cloth flags: the plane's positions, quads and texture areas; the wave as it lands in the
// mapped vertex buffer (the full noise at the free edge, about a tenth at the pole) with fresh
// face normals; and the flight past the waving flags against its reference picture.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/VBODynamic.h"
#include "demosys/scene/QNVMesh.h"
#include "production/effects/Flag.h"
#include "production/effects/FlagEffect.h"
#include "production/effects/FlagPrecalced.h"
#include "qnvutils/PerlinNoise.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/ReferenceFrame.h"
#include "tests/gl/SceneEffectStage.h"

namespace {

using FlagTest = GLTestFixture;

TEST_F(FlagTest, BuildsThePlaneOfQuadsOverItsPartOfTheTexture) {
  Flag flag(1.0f, 0.5f, 64, 64);
  FlagPrecalced baked(1.0f, 0.5f, 64, 64);
  ASSERT_EQ(flag.getMesh().getNumVertices(), 4096);
  ASSERT_EQ(flag.getMesh().getNumFaces(), 3969);
  const float right = 6.0f * (0.5f - 1.0f / 64.0f);
  const float top = 8.0f * (0.25f - 1.0f / 128.0f);
  const struct {
    int vertex;
    Vector3f position;
    Vector2f logoArea;
    Vector2f wholeTexture;
  } cases[] = {
      {0, {-3.0f, -2.0f, -1.0f}, {0.0f, 0.4727f}, {0.0f, 0.0f}},
      {63, {right, -2.0f, -1.0f}, {63 * 0.9375f / 64, 0.4727f}, {63.0f / 64, 0.0f}},
      {64 * 63 + 63, {right, top, -1.0f}, {63 * 0.9375f / 64, 0.4727f + 63 * 0.5273f / 64}, {63.0f / 64, 63.0f / 64}},
  };
  for (const auto& c : cases) {
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_NEAR(flag.getMesh().getVertexPointer()[c.vertex][axis], c.position[axis], 1e-5) << c.vertex;
    }
    for (int axis = 0; axis < 2; ++axis) {
      EXPECT_NEAR(flag.getMesh().getTexCoordPointer()[c.vertex][axis], c.logoArea[axis], 1e-5) << c.vertex;
      EXPECT_NEAR(baked.getMesh().getTexCoordPointer()[c.vertex][axis], c.wholeTexture[axis], 1e-5) << c.vertex;
    }
  }
  const int* quads = flag.getMesh().getPolygonPointer();
  EXPECT_EQ(std::vector<int>(quads, quads + 4), (std::vector<int>{0, 1, 65, 64}));
  EXPECT_EQ(std::vector<int>(quads + 4 * 3968, quads + 4 * 3969), (std::vector<int>{4030, 4031, 4095, 4094}));
}

// The generators evaluated vertex by vertex, as the wave is defined, against the buffer.
TEST_F(FlagTest, WavesTheFreeEdgeByTheFullNoiseAndThePoleEdgeByATenth) {
  Flag flag(1.0f, 0.5f, 64, 64);
  flag.setSeedY(15431, 789021, 1376412589, 1073441728.0f);
  PerlinNoise noiseX(0.525f, 0.01f, 1.0f, 1), noiseY(0.925f, 0.015f, 0.5f, 2), noiseZ(1.0f, 0.025f, 0.33f, 3);
  noiseY.setSeed(15431, 789021, 1376412589, 1073441728.0f);
  noiseZ.setValueRange(-2.0f, 2.0f);
  EXPECT_DOUBLE_EQ(flag.getDivisor(0), 1.0);
  EXPECT_NEAR(flag.getDivisor(63), 9.9946, 1e-4);
  const float phase = 7.25f;
  flag.wave(phase);
  const float* waved = flag.getVertexBuffer().openVertexBuffer(GL_READ_ONLY);
  ASSERT_NE(waved, nullptr);
  double worst = 0.0;
  for (int j = 0; j < 64; ++j) {
    for (int i = 0; i < 64; ++i) {
      const int k = j * 64 + i;
      const Vector3f& rest = flag.getMesh().getVertexPointer()[k];
      const float s = static_cast<float>(i) + phase;
      const double d = flag.getDivisor(i);
      const double expected[3] = {rest.x() - 12.0 * noiseX.getValue(s, static_cast<float>(j)) / d,
                                  rest.y() - (noiseY.getValue(s, static_cast<float>(j)) / d + 0.05) * 8.0,
                                  rest.z() - 2.0 * noiseZ.getValue(s, static_cast<float>(j)) / d};
      for (int axis = 0; axis < 3; ++axis) worst = std::max(worst, std::fabs(waved[3 * k + axis] - expected[axis]));
    }
  }
  EXPECT_LT(worst, 1e-4);
  EXPECT_EQ(flag.getTip().z(), waved[3 * 4095 + 2]) << "the cords tie to the waved cloth";
  flag.getVertexBuffer().closeVertexBuffer();
  const Vector3f& normal = flag.getMesh().getFaceNormalPointer()[0];
  EXPECT_NEAR(normal.x() * normal.x() + normal.y() * normal.y() + normal.z() * normal.z(), 1.0, 1e-5);
  EXPECT_GT(std::fabs(normal.x()) + std::fabs(normal.y()), 1e-3) << "the rest plane's normal is along z";
}

// A camera path straight towards the flags and a logo of two colours in a 2 x 2 checker.
class FlagEffectTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    stage.addCameraPath("flaganim", "QNVANI1\nkeyframes 4\npos 1 0 24\nrot 0 0\npos 1 0 16\nrot 0 0\n"
                                    "pos 1 0 10\nrot 0 0\npos 1 0 6\nrot 0 0\n");
    bench.addTexture("qnvlogo", 2, 2, {240, 200, 40, 255, 30, 60, 40, 255, 30, 60, 40, 255, 240, 200, 40, 255});
    stage.addProductionShader("flag");
  }
  EffectTestBench bench;
  SceneEffectStage stage{bench};
};

TEST_F(FlagEffectTest, FliesPastTheWavingFlags) {
  FrameBufferObject* target = bench.addFBO("target", 320, 180, true);
  FlagEffect& flags = bench.create<FlagEffect>("FlagEffect", {{"qnvlogo", "qnvlogo"}, {"flagshader", "flag"}});
  bench.setTrack(flags, "cam.anim", 0.5f);
  bench.setTrack(flags, "flag.wave", 12.0f);
  metrics().setView();
  target->bind();
  glClearColor(0.1f, 0.1f, 0.3f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  target->release();
  bench.drawFrame(flags, 4000, 20, target);
  EXPECT_EQ(compareWithReference(*target, "flag_wave"), "");
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

}  // namespace
