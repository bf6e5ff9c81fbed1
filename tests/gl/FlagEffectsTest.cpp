// The cloth flags: the normals and tip that follow the wave, and the flight past the waving flags
// against its reference picture. The plane, its quads and the wave itself the golden frame of the
// flags shows, the baked flags' texture area the frame of the gate.
#include <GL/glew.h>

#include <cmath>

#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/VBODynamic.h"
#include "demosys/scene/QNVMesh.h"
#include "production/effects/Flag.h"
#include "production/effects/FlagEffect.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/ReferenceFrame.h"
#include "tests/gl/SceneEffectStage.h"

namespace {

using FlagTest = GLTestFixture;

// The normals and the cords' tip follow the waved positions in the buffer, not the rest plane.
TEST_F(FlagTest, WavingRefreshesTheFaceNormalsAndTheTip) {
  Flag flag(1.0f, 0.5f, 64, 64);
  flag.wave(7.25f);
  const float* waved = flag.getVertexBuffer().openVertexBuffer(GL_READ_ONLY);
  ASSERT_NE(waved, nullptr);
  EXPECT_NE(waved[3 * 4095 + 2], -1.0f) << "the free edge waves";
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
