// The text writer effect: the "random" track stepping through the generated tables, and a missing
// font leaving the screen alone.
#include <GL/glew.h>

#include <map>
#include <string>

#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/resources/QNVIO.h"
#include "production/effects/TextwriterEffect.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/TestFontAtlas.h"

namespace {

const Rgba grey{51, 51, 51, 255};

class TextwriterEffectTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    ASSERT_TRUE(TestFontAtlas::write(dir.file("font.png")));
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    Texture* font = QNVIO::loadTexture(dir.file("font.png"), GL_TEXTURE_2D, false);
    ASSERT_NE(font, nullptr);
    QNVDemosys::texturePool->addTexture("atlas", font);
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  // The box's top left corner is the middle of the window; its 32 x 13 cells are 10 x 13.8 pixels.
  TextwriterEffect& create(const std::string& text, const std::string& font = "atlas") {
    std::map<std::string, std::string> parameters = {
        {"font", font},       {"text", text},        {"boxsize_x", "2.0"},
        {"boxsize_y", "2.0"}, {"position_x", "0.0"}, {"position_y", "0.0"},
        {"color_r", "1.0"},   {"color_g", "1.0"},    {"color_b", "0.0"}};
    return bench.create<TextwriterEffect>("TextwriterEffect", parameters);
  }

  // Middle of the letter or cursor in cell (column, row).
  static Rgba cellMiddle(int column, int row = 0) {
    return readWindow(160 + 10 * column + 5, 84 - static_cast<int>(13.85f * row));
  }


  EffectTestBench bench;
  TempDir dir;
};

// The script's font, box, place and colour and the typing by the "start" track are what the golden
// frames with text show (faults planted in them each failed one).
TEST_F(TextwriterEffectTest, RandomTextStepsThroughTheTablesWhileTheTrackIsHigh) {
  TextwriterEffect& effect = create("random");
  bench.setTrack(effect, "random", 1.0f);
  const auto& texts = effect.getRandomTexts();
  ASSERT_EQ(texts.size(), 100u);
  EXPECT_EQ(effect.getWriter()->getText(), texts[0]) << "shown before the first step";
  for (size_t i = 0; i < texts.size(); ++i) {
    bench.drawFrame(effect, 1000, 16);
    ASSERT_EQ(effect.getWriter()->getText(), texts[i]) << "after step " << i;
  }
  bench.drawFrame(effect, 1000, 16);
  EXPECT_EQ(effect.getWriter()->getText(), texts[99]) << "the step after the last one rewinds";
  bench.drawFrame(effect, 1000, 16);
  EXPECT_EQ(effect.getWriter()->getText(), texts[0]);
}

TEST_F(TextwriterEffectTest, RandomTrackAtHalfOrAFixedTextKeepsTheText) {
  TextwriterEffect& quiet = create("random");
  bench.setTrack(quiet, "random", 0.5f);
  bench.drawFrame(quiet, 1000, 16);
  bench.drawFrame(quiet, 1000, 16);
  EXPECT_EQ(quiet.getWriter()->getText(), quiet.getRandomTexts()[0]);

  TextwriterEffect& fixed = create("mmmm");
  bench.setTrack(fixed, "random", 1.0f);
  bench.drawFrame(fixed, 1000, 16);
  EXPECT_EQ(fixed.getWriter()->getText(), "mmmm") << "no tables to step through";
}

TEST_F(TextwriterEffectTest, MissingFontIsReportedAndLeavesTheScreenAlone) {
  testing::internal::CaptureStdout();
  TextwriterEffect& effect = create("mmmm", "nothing");
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("TextwriterEffect: no texture 'nothing'"), std::string::npos) << out;
  bench.setTrack(effect, "start", 1.0f);
  bench.drawFrame(effect, 1550, 16);
  EXPECT_PRED3(near, cellMiddle(0), grey, 1);
  EXPECT_PRED3(near, cellMiddle(4), grey, 1);
}

}  // namespace
