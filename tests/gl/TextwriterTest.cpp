// The text writer on a coloured test atlas: each letter shows its own glyph from the glyph row,
// unmapped characters take no cell, "|" and the right edge start new lines, plain mode stops at
// the grid's size, typewriter mode reveals a fraction and blinks its cursor, and the background box.
#include <GL/glew.h>

#include <memory>
#include <string>

#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"
#include "production/effects/Textwriter.h"
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
    ASSERT_TRUE(TestFontAtlas::write(dir.file("font.png")));
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    font.reset(QNVIO::loadTexture(dir.file("font.png"), GL_TEXTURE_2D, false));
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

  // Middle of letter c in row 0 when the pen stands at x (normalised device coordinates).
  static Rgba letterMiddle(float penX, char c) {
    float width = Textwriter::glyphWidth(Textwriter::glyphIndex(c)) / 52.0f * 0.5f;
    return readWindow(static_cast<int>((penX + width / 2 + 1.0f) * 160.0f), 135);
  }

  void write(const std::string& text, float fraction = 1.0f, unsigned time = 0) {
    writer->setText(text);
    writer->write(fraction, time);
  }

  TempDir dir;
  std::unique_ptr<Texture> font;
  std::unique_ptr<Textwriter> writer;
};

TEST_F(TextwriterTest, EachLetterShowsItsOwnGlyphFromTheGlyphRow) {
  write("wm");
  EXPECT_PRED3(near, cellMiddle(0, 0), TestFontAtlas::colourOf('w'), 2);
  EXPECT_PRED3(near, cellMiddle(1, 0), TestFontAtlas::colourOf('m'), 2);
  EXPECT_PRED3(near, cellMiddle(2, 0), black, 0) << "nothing beyond the text";

  clearScreen();
  write("a.");
  float aWidth = 40.0f / 52.0f * 0.5f;
  EXPECT_PRED3(near, letterMiddle(-1.0f, 'a'), TestFontAtlas::colourOf('a'), 2);
  EXPECT_PRED3(near, letterMiddle(-1.0f + aWidth, '.'), TestFontAtlas::colourOf('.'), 2);
  EXPECT_FLOAT_EQ(writer->getPenX(), -1.0f + aWidth + 6.0f / 52.0f * 0.5f) << "narrow glyphs take less room";
}

TEST_F(TextwriterTest, LetterColourTintsTheGlyph) {
  writer->setColor(1.0f, 0.5f, 0.0f);
  write("m");
  Rgba glyph = TestFontAtlas::colourOf('m');
  EXPECT_PRED3(near, cellMiddle(0, 0), (Rgba{glyph.r, glyph.g / 2, 0, 255}), 2);
}

TEST_F(TextwriterTest, UnmappedCharactersTakeNoCell) {
  write("M\x01_m\xe9");
  EXPECT_PRED3(near, cellMiddle(0, 0), TestFontAtlas::colourOf('m'), 2);
  EXPECT_PRED3(near, cellMiddle(1, 0), black, 0);
  EXPECT_EQ(writer->getColumn(), 1);
  EXPECT_EQ(writer->getRow(), 0);
}

TEST_F(TextwriterTest, BarStartsANewLine) {
  write("m|w");
  EXPECT_PRED3(near, cellMiddle(0, 0), TestFontAtlas::colourOf('m'), 2);
  EXPECT_PRED3(near, cellMiddle(1, 0), black, 0);
  EXPECT_PRED3(near, cellMiddle(0, 1), TestFontAtlas::colourOf('w'), 2);
  EXPECT_EQ(writer->getRow(), 1);
  EXPECT_EQ(writer->getColumn(), 1);
}

// The pen, not the column count, decides: three full-cell letters bring it to one cell before the
// right edge, while four narrower ones still leave room.
TEST_F(TextwriterTest, LineWrapsWhenThePenIsWithinOneCellOfTheRightEdge) {
  write("mmmw");
  EXPECT_PRED3(near, cellMiddle(2, 0), TestFontAtlas::colourOf('m'), 2);
  EXPECT_PRED3(near, cellMiddle(3, 0), black, 0);
  EXPECT_PRED3(near, cellMiddle(0, 1), TestFontAtlas::colourOf('w'), 2);

  clearScreen();
  write("aaa");
  EXPECT_EQ(writer->getRow(), 0);
  EXPECT_EQ(writer->getColumn(), 3);
  write("aaaa");
  EXPECT_EQ(writer->getRow(), 1);
  EXPECT_EQ(writer->getColumn(), 0);
  EXPECT_FLOAT_EQ(writer->getPenX(), -1.0f);
}

// 4 x 2 cells cut a plain text at 8 characters (three lines of full-cell letters: 3, 3, 2), while
// the typewriter writes all 12 (four full lines) and puts the cursor on the fifth.
TEST_F(TextwriterTest, PlainModeStopsAtTheGridSizeTypewriterKeepsWrapping) {
  const std::string twelve(12, 'm');
  write(twelve);
  EXPECT_EQ(writer->getRow(), 2);
  EXPECT_EQ(writer->getColumn(), 2);

  writer->ghostWriter(true);
  write(twelve, 1.0f);
  EXPECT_EQ(writer->getRow(), 4);
  EXPECT_EQ(writer->getColumn(), 1) << "the cursor takes a cell";
}

TEST_F(TextwriterTest, TypewriterShowsTheFractionOfTheTextThenTheCursor) {
  writer->ghostWriter(true);
  const unsigned cursorOn = 50;
  write("mm|w", 0.0f, cursorOn);
  EXPECT_PRED3(near, cellMiddle(0, 0), red, 0) << "fraction 0: only the cursor";
  EXPECT_PRED3(near, cellMiddle(1, 0), black, 0);

  clearScreen();
  write("mm|w", 0.5f, cursorOn);
  EXPECT_PRED3(near, cellMiddle(0, 0), TestFontAtlas::colourOf('m'), 2);
  EXPECT_PRED3(near, cellMiddle(1, 0), TestFontAtlas::colourOf('m'), 2);
  EXPECT_PRED3(near, cellMiddle(2, 0), red, 0);
  EXPECT_PRED3(near, cellMiddle(0, 1), black, 0);

  clearScreen();
  write("mm|w", 1.0f, cursorOn);
  EXPECT_PRED3(near, cellMiddle(0, 1), TestFontAtlas::colourOf('w'), 2);
  EXPECT_PRED3(near, cellMiddle(1, 1), red, 0);

  clearScreen();
  write("mm|w", 7.0f, cursorOn);
  EXPECT_PRED3(near, cellMiddle(1, 1), red, 0) << "fractions above 1 show the whole text";
  clearScreen();
  write("mm|w", -1.0f, cursorOn);
  EXPECT_PRED3(near, cellMiddle(0, 0), red, 0) << "negative fractions show none of it";
}

TEST_F(TextwriterTest, CursorShowsInTheSecondHalfOfEachPeriod) {
  writer->ghostWriter(true);
  for (unsigned time : {0u, 40u, 49u, 100u, 140u, 1049u}) {
    clearScreen();
    write("", 1.0f, time);
    EXPECT_PRED3(near, cellMiddle(0, 0), black, 0) << time << " ms";
  }
  for (unsigned time : {50u, 60u, 99u, 160u, 1050u}) {
    clearScreen();
    write("", 1.0f, time);
    EXPECT_PRED3(near, cellMiddle(0, 0), red, 0) << time << " ms";
  }
  writer->setBlinkSpeed(400);
  clearScreen();
  write("", 1.0f, 150);
  EXPECT_PRED3(near, cellMiddle(0, 0), black, 0) << "slower blinking";
  write("", 1.0f, 250);
  EXPECT_PRED3(near, cellMiddle(0, 0), red, 0) << "slower blinking";
}

TEST_F(TextwriterTest, ZeroBlinkPeriodKeepsTheCursorOn) {
  writer->ghostWriter(true);
  writer->setBlinkSpeed(0);
  write("", 1.0f, 0);
  EXPECT_PRED3(near, cellMiddle(0, 0), red, 0);
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

}  // namespace
