// The text writer's glyph tables: which characters have a glyph, how wide each glyph is and where
// it sits in the font atlas.
#include <gtest/gtest.h>

#include <string>

#include "production/effects/Textwriter.h"

namespace {

const std::string glyphOrder = "abcdefghijklmnopqrstuvwxyz0123456789.,!?+-: ";

TEST(TextwriterGlyphs, LowerCaseDigitsAndPunctuationMapInAtlasOrder) {
  ASSERT_EQ(glyphOrder.size(), static_cast<size_t>(Textwriter::glyphCount));
  for (size_t g = 0; g < glyphOrder.size(); ++g)
    EXPECT_EQ(Textwriter::glyphIndex(glyphOrder[g]), static_cast<int>(g)) << "'" << glyphOrder[g] << "'";
}

// Each glyph starts one empty column after the previous one ends; offsets of glyphs after the
// narrow and wide ones pin the width table; the whole row fits the atlas.
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
