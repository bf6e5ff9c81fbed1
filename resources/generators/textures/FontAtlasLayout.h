// The text writer's font atlas: 44 glyphs side by side in one row, each at a fixed left edge and
// width in texture pixels (a one-pixel gap after each), the row filling texture heights t = 0.375 to
// 1.0 of a 2048-pixel-wide texture.
// Depends on: nothing.
#pragma once

#include <string>

class FontAtlasLayout {
 public:
  static constexpr int glyphCount = 44;
  static constexpr int atlasWidth = 2048;
  static constexpr int atlasHeight = 128;
  static constexpr float rowBottomT = 0.375f;
  // Picture rows (from the top) that hold the glyphs: t from 1.0 down to 0.375.
  static constexpr int rowHeight = static_cast<int>((1.0f - rowBottomT) * atlasHeight);

  // The characters in glyph order: a to z, 0 to 9, then . , ! ? + - : and space.
  static const std::string& glyphOrder();
  static int width(int glyph);
  static int offset(int glyph);
};
