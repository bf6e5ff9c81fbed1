// The text writer on a coloured test atlas (the glyphs' widths and places the golden frames with
// text show), and the text writer effect's random texts and missing font.
#include <GL/glew.h>

#include <map>
#include <memory>
#include <string>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/DataTexturePool.h"
#include "production/effects/Textwriter.h"
#include "production/effects/TextwriterEffect.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/TestFontAtlas.h"

namespace {

const Rgba black{0, 0, 0, 255};
const Rgba red{255, 0, 0, 255};

// The writer fills the window with a box of 4 x 2 cells, 80 x 90 pixels each, in white letters.
class TextwriterTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    font.reset(TestFontAtlas::load(dir));
    ASSERT_NE(font, nullptr);
    font->setTextureEnv(GL_MODULATE);
    writer = std::make_unique<Textwriter>(font.get());
    writer->background(false);
    writer->setPosition(-1.0f, 1.0f);
    writer->setBoxSize(2.0f, 2.0f);
    writer->setGridSize(4, 2);
    writer->setColor(1.0f, 1.0f, 1.0f);
    clearScreen();
  }

  // Middle of a full-cell letter ("m", "w") or of the cursor in cell (column, row). Letters reach
  // from just below the row's top to a little above its bottom, so the middle sits slightly high.
  static Rgba cellMiddle(int column, int row) { return readWindow(80 * column + 40, 135 - 90 * row); }

  void write(const std::string& text, float fraction = 1.0f, unsigned time = 0) {
    writer->setText(text);
    writer->write(fraction, time);
  }

  TempDir dir;
  std::unique_ptr<Texture> font;
  std::unique_ptr<Textwriter> writer;
};

// Cells of rows 0 and 1, columns 0 to 3: a letter shows its glyph's colour, '#' the cursor, ' '
// nothing, '?' is not looked at. Plain mode stops at the grid's 4 x 2 cells (twelve full-cell
// letters: three lines of 3, 3, 2), the typewriter keeps wrapping; the pen, not the column count,
// decides the wrap: three full-cell letters bring it to one cell before the right edge, while
// four narrower ones still leave room. The cursor shows in the second half of each blink period.
TEST_F(TextwriterTest, LayoutTypingAndCursorShowInTheCells) {
  const std::string twelve(12, 'm');
  const struct {
    const char* text;
    bool typewriter;
    float fraction;
    unsigned time;
    int blink;  // 0 keeps the cursor on; negative leaves the default
    const char* row0;
    const char* row1;
    int row, column;  // the writer's position afterwards (-1: not looked at)
  } cases[] = {
      {"wm", false, 1, 0, -1, "wm  ", "????", 0, 2},
      {"M\x01_m\xe9", false, 1, 0, -1, "m ??", "????", 0, 1},  // unmapped characters take no cell
      {"m|w", false, 1, 0, -1, "m ??", "w???", 1, 1},
      {"mmmw", false, 1, 0, -1, "??m ", "w???", -1, -1},
      {"aaa", false, 1, 0, -1, "????", "????", 0, 3},
      {"aaaa", false, 1, 0, -1, "????", "????", 1, 0},
      {twelve.c_str(), false, 1, 0, -1, "????", "????", 2, 2},
      {twelve.c_str(), true, 1, 0, -1, "????", "????", 4, 1},  // the cursor takes a cell
      {"mm|w", true, 0.0f, 50, -1, "# ??", "????", -1, -1},
      {"mm|w", true, 0.5f, 50, -1, "mm# ", " ???", -1, -1},
      {"mm|w", true, 1.0f, 50, -1, "????", "w#??", -1, -1},
      {"mm|w", true, 7.0f, 50, -1, "????", "?#??", -1, -1},   // above 1: the whole text
      {"mm|w", true, -1.0f, 50, -1, "#???", "????", -1, -1},  // negative: none of it
      {"", true, 1, 0, -1, " ???", "????", -1, -1},     {"", true, 1, 49, -1, " ???", "????", -1, -1},
      {"", true, 1, 140, -1, " ???", "????", -1, -1},   {"", true, 1, 1049, -1, " ???", "????", -1, -1},
      {"", true, 1, 50, -1, "#???", "????", -1, -1},    {"", true, 1, 99, -1, "#???", "????", -1, -1},
      {"", true, 1, 160, -1, "#???", "????", -1, -1},   {"", true, 1, 1050, -1, "#???", "????", -1, -1},
      {"", true, 1, 150, 400, " ???", "????", -1, -1},  {"", true, 1, 250, 400, "#???", "????", -1, -1},
      {"", true, 1, 0, 0, "#???", "????", -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.text << "' fraction " << c.fraction << " at " << c.time << " ms");
    writer->ghostWriter(c.typewriter);
    if (c.blink >= 0) writer->setBlinkSpeed(c.blink);
    clearScreen();
    write(c.text, c.fraction, c.time);
    for (int row = 0; row < 2; ++row) {
      for (int column = 0; column < 4; ++column) {
        const char cell = (row == 0 ? c.row0 : c.row1)[column];
        if (cell == '?') continue;
        const Rgba expected = cell == '#' ? red : cell == ' ' ? black : TestFontAtlas::colourOf(cell);
        EXPECT_PRED3(near, cellMiddle(column, row), expected, cell == '#' || cell == ' ' ? 0 : 2) << column << ", " << row;
      }
    }
    EXPECT_TRUE(c.row < 0 || (writer->getRow() == c.row && writer->getColumn() == c.column))
        << "row " << writer->getRow() << ", column " << writer->getColumn();
    EXPECT_TRUE(std::string(c.text) != "aaaa" || writer->getPenX() == -1.0f) << "a wrap puts the pen back";
  }
  writer->ghostWriter(false);
  writer->setColor(1.0f, 0.5f, 0.0f);
  clearScreen();
  write("m");
  const Rgba glyph = TestFontAtlas::colourOf('m');
  EXPECT_PRED3(near, cellMiddle(0, 0), (Rgba{glyph.r, glyph.g / 2, 0, 255}), 2) << "the letter colour tints the glyph";
}

// The box darkens what lies behind it by half and has a white outline; the border widens it.
TEST_F(TextwriterTest, BackgroundBoxHalvesWhatIsBehindIt) {
  writer->background(true);
  writer->setPosition(-0.5f, 0.5f);
  writer->setBoxSize(1.0f, 1.0f);
  writer->setBorderSize(0.25f);
  glClearColor(0.8f, 0.8f, 0.8f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  write("");
  Rgba inside = readWindow(160, 90);
  Rgba inBorder = readWindow(70, 90);  // x = -0.5625, left of the box, inside the border
  Rgba outside = readWindow(20, 90);
  EXPECT_NEAR(inside.r, 102, 2);
  EXPECT_NEAR(inBorder.g, 102, 2);
  EXPECT_NEAR(outside.b, 204, 2);
  bool outlined = false;
  for (int x = 38; x <= 42; ++x) outlined |= readWindow(x, 90).r == 255;  // x = -0.75
  EXPECT_TRUE(outlined);
}

const Rgba grey{51, 51, 51, 255};

class TextwriterEffectTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    Texture* font = TestFontAtlas::load(dir);
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
// failed one); the production never steps through all the tables, nor sets the track to 0.5.
TEST_F(TextwriterEffectTest, RandomTextStepsOnlyAboveHalfAndRewindsAfterTheLastTable) {
  TextwriterEffect& effect = create("random");
  const auto& texts = effect.getRandomTexts();
  ASSERT_FALSE(texts.empty());
  bench.setTrack(effect, "random", 0.5f);
  for (int i = 0; i < 2; ++i) bench.drawFrame(effect, 1000, 16);
  EXPECT_EQ(effect.getWriter()->getText(), texts[0]) << "at half";
  bench.setTrack(effect, "random", 1.0f);
  for (size_t i = 0; i <= texts.size(); ++i) bench.drawFrame(effect, 1000, 16);
  EXPECT_EQ(effect.getWriter()->getText(), texts.back()) << "the step after the last one rewinds";
  bench.drawFrame(effect, 1000, 16);
  EXPECT_EQ(effect.getWriter()->getText(), texts[0]);

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
