// Test helper: a font atlas laid out as the text writer expects (2048 pixels wide, glyphs at their
// offsets), each glyph's columns filled with a colour of its own and the columns between glyphs
// transparent. The glyph row is the top five eighths of the picture; the rows below it are blue,
// so a letter drawn from the wrong part of the atlas shows.
// Depends on: Textwriter (glyph offsets and widths), GLTestFixture (writePNG, TempDir), QNVIO.
#pragma once

#include <string>

#include "tests/gl/GLTestFixture.h"

class Texture;

namespace TestFontAtlas {

constexpr int height = 8;
const Rgba below{0, 0, 255, 255};

// The colour of glyph g in the glyph row.
Rgba glyphColour(int g);
// The colour the character c is drawn in (white letters on the atlas).
Rgba colourOf(char c);
// The atlas written into dir as "font.png" and loaded from there as the demo loads its textures;
// the caller owns it. Null when either step failed.
Texture* load(const TempDir& dir);

}  // namespace TestFontAtlas
