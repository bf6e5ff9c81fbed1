#include "resources/generators/textures/FontAtlasLayout.h"

#include <array>

namespace {

std::array<int, FontAtlasLayout::glyphCount> makeWidths() {
  std::array<int, FontAtlasLayout::glyphCount> widths{};
  widths.fill(40);
  const std::string& order = FontAtlasLayout::glyphOrder();
  const std::pair<char, int> narrowOrWide[] = {{'i', 17}, {'j', 28}, {'m', 52}, {'w', 52},
                                               {'1', 28}, {'.', 6},  {',', 6},  {'!', 17},
                                               {'+', 18}, {'-', 17}, {':', 6},  {' ', 28}};
  for (const auto& [c, w] : narrowOrWide) widths[order.find(c)] = w;
  return widths;
}

std::array<int, FontAtlasLayout::glyphCount> makeOffsets() {
  std::array<int, FontAtlasLayout::glyphCount> offsets{};
  for (int g = 1; g < FontAtlasLayout::glyphCount; ++g) {
    offsets[g] = offsets[g - 1] + FontAtlasLayout::width(g - 1) + 1;
  }
  return offsets;
}

}  // namespace

const std::string& FontAtlasLayout::glyphOrder() {
  static const std::string order = "abcdefghijklmnopqrstuvwxyz0123456789.,!?+-: ";
  return order;
}

int FontAtlasLayout::width(int glyph) {
  static const std::array<int, glyphCount> widths = makeWidths();
  return widths[glyph];
}

int FontAtlasLayout::offset(int glyph) {
  static const std::array<int, glyphCount> offsets = makeOffsets();
  return offsets[glyph];
}
