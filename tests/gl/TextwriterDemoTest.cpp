// The text writer in a loaded demo: a script instance of TextwriterEffect, its definition's
// defaults, the font from the graphics block and the "start" track from the timeline, rendered
// by `demosys render` on the fixture production.
#include <gtest/gtest.h>

#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/TestFontAtlas.h"

namespace {

// "start" rises over the first second; the effect shows from row 0 to row 100 (5 s).
const char* const timeline =
    "rowrate 20\n"
    "effect words priority 0\n"
    "  start 0 screen\n"
    "  stop 100\n"
    "  track start\n"
    "    0 LINEAR 0\n"
    "    20 LINEAR 1\n";

class TextwriterDemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(production.ok());
    ASSERT_TRUE(TestFontAtlas::write(production.path("resources/graphics/font.png")));
    production.setBlock("system", "start = 0:00:000; stop = 0:05:000; rowrate = 20;");
    production.setBlock("graphics", "logo = logo.png; font = font.png;");
    production.setBlock("words * TextwriterEffect", "text = mmmm;");
    production.writeScript();
    production.write("timeline.txt", timeline);
    ProgramRun tracks = production.runTool("tracks build timeline.txt resources/tracks");
    ASSERT_EQ(tracks.status, 0) << tracks.out;
  }

  // Pixel (x, y) of the rendered 320 x 180 frame, y counted from the top.
  static Rgba at(const Image& frame, int x, int y) {
    const unsigned char* p = frame.getData() + ((179 - y) * 320 + x) * frame.getPixelSize();
    return {p[0], p[1], p[2], 255};
  }

  DemoProduction production;
};

// The definition's box fills the screen from y = 0.9 down in 32 x 13 cells of 10 x 13.8 pixels;
// the letters are white, so they show the atlas colours. At 1.05 s the text is typed and the
// cursor is on.
TEST_F(TextwriterDemoTest, ScriptInstanceTypesItsTextWithTheTimeline) {
  ProgramRun run = production.runTool("render --size 320x180 --at 0:01:050 --at 0:00:250 --out .");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out.find("Fallback draw method!"), std::string::npos) << "the template is registered";

  Image typed(production.path("000000.png"));
  ASSERT_TRUE(typed.exists());
  for (int column = 0; column < 4; ++column)
    EXPECT_PRED3(near, at(typed, 10 * column + 5, 16), TestFontAtlas::colourOf('m'), 2) << column;
  EXPECT_PRED3(near, at(typed, 45, 16), (Rgba{255, 0, 0, 255}), 0) << "cursor";

  Image started(production.path("000001.png"));
  ASSERT_TRUE(started.exists());
  EXPECT_PRED3(near, at(started, 5, 16), TestFontAtlas::colourOf('m'), 2) << "a quarter in, one letter";
  EXPECT_PRED3(near, at(started, 15, 16), (Rgba{255, 0, 0, 255}), 0);
  EXPECT_PRED3(near, at(started, 25, 16), (Rgba{0, 0, 0, 255}), 0);
}

}  // namespace
