// A render target the driver refuses to build (wider than any texture it makes) leaves the demo
// drawing: the effects bound to it draw to the window, which nothing clears afterwards, and the
// frame loop reports no render-target stack errors; `check --gl` names the target.
#include <gtest/gtest.h>

#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"

namespace {

const char* const WHITE_INTO_BROKEN_TARGET =
    "rowrate 20\n"
    "effect paint\n  start 0 broken\n  stop 1000\n"
    "  track alpha\n    0 STEP 1\n  track red\n    0 STEP 1\n"
    "  track green\n    0 STEP 1\n  track blue\n    0 STEP 1\n";

class FailedRenderTarget : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(production.ok());
    production.setBlock("framebuffers", "broken = 40000, 16, COLOR_BUFFER;");
    production.setBlock("paint * FadeEffect", "comment = white;");
    production.writeScript();
    ASSERT_TRUE(production.buildTracks(WHITE_INTO_BROKEN_TARGET));
  }
  DemoProduction production;
};

TEST_F(FailedRenderTarget, EffectsBoundToItDrawToTheWindow) {
  const ProgramRun run = production.runTool("render --size 160x90 --at 0 --at 50 --out .");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("FBO Framebuffer"), std::string::npos) << "the target did fail\n" << run.out;
  EXPECT_EQ(run.out.find("STACK ERROR"), std::string::npos) << run.out;
  for (const char* frame : {"000000.png", "000001.png"}) {
    Image image(production.path(frame));
    ASSERT_TRUE(image.exists()) << frame;
    const unsigned char* centre = image.getData() + (45 * 160 + 80) * image.getPixelSize();
    EXPECT_EQ(centre[0] + centre[1] + centre[2], 3 * 255) << frame << " is not the effect's white";
  }
}

TEST_F(FailedRenderTarget, CheckWithTheDriverNamesIt) {
  const ProgramRun lintOnly = production.runTool("check");
  EXPECT_EQ(lintOnly.status, 0) << lintOnly.out;
  const ProgramRun run = production.runTool("check --gl");
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_NE(run.out.find("resources/scripts/demoscript.txt: error: the driver cannot build framebuffer 'broken': "),
            std::string::npos)
      << run.out;
}

}  // namespace
