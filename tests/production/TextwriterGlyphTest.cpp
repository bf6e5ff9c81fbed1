// The text writer's glyph tables: which characters have a glyph, how wide each glyph is and where
// it sits in the font atlas.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "production/effects/Textwriter.h"

namespace {

const std::string glyphOrder = "abcdefghijklmnopqrstuvwxyz0123456789.,!?+-: ";

TEST(TextwriterGlyphs, LowerCaseDigitsAndPunctuationMapInAtlasOrder) {
  ASSERT_EQ(glyphOrder.size(), static_cast<size_t>(Textwriter::glyphCount));
  for (size_t g = 0; g < glyphOrder.size(); ++g)
    EXPECT_EQ(Textwriter::glyphIndex(glyphOrder[g]), static_cast<int>(g)) << "'" << glyphOrder[g] << "'";
}

TEST(TextwriterGlyphs, LineEndsAndBraceShowTheDigitTwo) {
  EXPECT_EQ(Textwriter::glyphIndex(10), 28);
  EXPECT_EQ(Textwriter::glyphIndex(13), 28);
  EXPECT_EQ(Textwriter::glyphIndex('{'), 28);
  EXPECT_EQ(Textwriter::glyphIndex('2'), 28);
}

TEST(TextwriterGlyphs, EverythingElseHasNoGlyph) {
  for (char c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(Textwriter::glyphIndex(c), -1) << c;
  for (int code : {0, 9, int('|'), int('}'), int('"'), int('_'), 127, 128, 255, -1, 1000})
    EXPECT_EQ(Textwriter::glyphIndex(code), -1) << code;
  int mapped = 0;
  for (int code = 0; code < 128; ++code) mapped += Textwriter::glyphIndex(code) >= 0;
  EXPECT_EQ(mapped, Textwriter::glyphCount + 3);
}

TEST(TextwriterGlyphs, WidthsAreFortyExceptNarrowAndWideGlyphs) {
  const std::string special = "ijmw1.,!+-: ";
  const int specialWidths[] = {17, 28, 52, 52, 28, 6, 6, 17, 18, 17, 6, 28};
  for (size_t i = 0; i < special.size(); ++i)
    EXPECT_EQ(Textwriter::glyphWidth(Textwriter::glyphIndex(special[i])), specialWidths[i]) << special[i];
  for (char c : glyphOrder) {
    if (special.find(c) == std::string::npos) {
      EXPECT_EQ(Textwriter::glyphWidth(Textwriter::glyphIndex(c)), 40) << c;
    }
  }
}

// Each glyph starts one empty column after the previous one ends; the whole row fits the atlas.
TEST(TextwriterGlyphs, OffsetsChainWithOneColumnBetweenGlyphs) {
  EXPECT_EQ(Textwriter::glyphOffset(0), 0);
  for (int g = 1; g < Textwriter::glyphCount; ++g)
    EXPECT_EQ(Textwriter::glyphOffset(g), Textwriter::glyphOffset(g - 1) + Textwriter::glyphWidth(g - 1) + 1)
        << g;
  EXPECT_EQ(Textwriter::glyphOffset(Textwriter::glyphIndex('j')), 346);
  EXPECT_EQ(Textwriter::glyphOffset(Textwriter::glyphIndex('n')), 510);
  EXPECT_EQ(Textwriter::glyphOffset(Textwriter::glyphIndex(' ')), 1570);
  int last = Textwriter::glyphCount - 1;
  EXPECT_EQ(Textwriter::glyphOffset(last) + Textwriter::glyphWidth(last), 1598);
  EXPECT_LE(1598, Textwriter::atlasWidth);
}

}  // namespace
