// The text writer effect as the script sets it up: font, box, position and colour from its
// parameters, typing driven by the "start" track with the blinking cursor, the "random" track
// stepping through the generated tables, and a missing font leaving the screen alone.
#include <GL/glew.h>

#include <map>
#include <string>

#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/timeline/TrackSystem.h"
#include "production/effects/TextwriterEffect.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/TestFontAtlas.h"

namespace {

const Rgba grey{51, 51, 51, 255};
const Rgba red{255, 0, 0, 255};

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

  // "start" rises from 0 to 1 over the first second.
  void typeOverOneSecond(TextwriterEffect& effect) {
    bench.keyTrack(effect, "start",
                   {{0u, 0.0f}, {static_cast<unsigned>(TrackSystem::currentRowRate()), 1.0f}});
  }

  // Middle of the letter or cursor in cell (column, row).
  static Rgba cellMiddle(int column, int row = 0) {
    return readWindow(160 + 10 * column + 5, 84 - static_cast<int>(13.85f * row));
  }

  static Rgba yellowGlyph(char c) {
    Rgba glyph = TestFontAtlas::colourOf(c);
    return {glyph.r, glyph.g, 0, 255};
  }

  EffectTestBench bench;
  TempDir dir;
};

TEST_F(TextwriterEffectTest, DeclaresStartAndRandomTracks) {
  TextwriterEffect& effect = create("mmmm");
  ASSERT_EQ(effect.getTrackCount(), 2);
  EXPECT_EQ(effect.getTrackName(0), "start");
  EXPECT_EQ(effect.getTrackName(1), "random");
}

// Half way through the second, half of the four letters are typed; the cursor follows them in
// the second half of each 100 ms. No background box is drawn.
TEST_F(TextwriterEffectTest, StartTrackTypesTheTextInTheScriptsColourAndPlace) {
  TextwriterEffect& effect = create("mmmm");
  typeOverOneSecond(effect);
  bench.drawFrame(effect, 550, 16);
  EXPECT_PRED3(near, cellMiddle(0), yellowGlyph('m'), 2);
  EXPECT_PRED3(near, cellMiddle(1), yellowGlyph('m'), 2);
  EXPECT_PRED3(near, cellMiddle(2), red, 0);
  EXPECT_PRED3(near, cellMiddle(3), grey, 1);
  EXPECT_PRED3(near, cellMiddle(0, 2), grey, 1) << "no background box";
  EXPECT_PRED3(near, readWindow(155, 84), grey, 1) << "nothing left of the position";

  glClear(GL_COLOR_BUFFER_BIT);
  bench.drawFrame(effect, 1520, 16);
  EXPECT_PRED3(near, cellMiddle(3), yellowGlyph('m'), 2);
  EXPECT_PRED3(near, cellMiddle(4), grey, 1) << "cursor off in the first half of the period";
}

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
