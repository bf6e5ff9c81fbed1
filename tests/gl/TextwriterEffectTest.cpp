// The text writer effect: the "random" track rewinding after the last generated table, and a
// missing font leaving the screen alone.
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

// The script's font, box, place and colour, the typing by the "start" track, the first table and
// the ones the steps show are what the golden frames with text show (faults planted in them each
// failed one); the production never steps through all the tables.
TEST_F(TextwriterEffectTest, RandomTextRewindsAfterTheLastTable) {
  TextwriterEffect& effect = create("random");
  bench.setTrack(effect, "random", 1.0f);
  const auto& texts = effect.getRandomTexts();
  ASSERT_FALSE(texts.empty());
  for (size_t i = 0; i <= texts.size(); ++i) bench.drawFrame(effect, 1000, 16);
  EXPECT_EQ(effect.getWriter()->getText(), texts.back()) << "the step after the last one rewinds";
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
