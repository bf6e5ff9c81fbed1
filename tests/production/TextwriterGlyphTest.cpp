// The text writer's glyph table against the font atlas the generator draws: the same characters in
// the same order, each as wide and at the same offset, one empty column between glyphs; the whole
// row fits the atlas.
#include <gtest/gtest.h>

#include "production/effects/Textwriter.h"
#include "resources/generators/textures/FontAtlasLayout.h"

namespace {

TEST(TextwriterGlyphs, TableMatchesTheGeneratedAtlas) {
  ASSERT_EQ(Textwriter::glyphCount, FontAtlasLayout::glyphCount);
  for (int g = 0; g < Textwriter::glyphCount; ++g) {
    const char c = FontAtlasLayout::glyphOrder()[g];
    EXPECT_EQ(Textwriter::glyphIndex(c), g) << "'" << c << "'";
    EXPECT_EQ(Textwriter::glyphWidth(g), FontAtlasLayout::width(g)) << "'" << c << "'";
    EXPECT_EQ(Textwriter::glyphOffset(g), FontAtlasLayout::offset(g)) << "'" << c << "'";
    if (g > 0) {
      EXPECT_EQ(Textwriter::glyphOffset(g), Textwriter::glyphOffset(g - 1) + Textwriter::glyphWidth(g - 1) + 1);
    }
  }
  const int last = Textwriter::glyphCount - 1;
  EXPECT_EQ(Textwriter::glyphOffset(last) + Textwriter::glyphWidth(last), 1598);
  EXPECT_LE(1598, Textwriter::atlasWidth);
}

}  // namespace
