// Coverage masks of single characters and of whole lines of text from one TrueType font, through
// FreeType's anti-aliased rasteriser.
// Depends on: FreeType, AlphaMask.
#pragma once

#include <string>

#include "resources/generators/textures/AlphaMask.h"

class GlyphRasteriser {
 public:
  struct Glyph {
    AlphaMask mask;
    int left = 0;     // pen position to the mask's left column
    int top = 0;      // baseline to the mask's top row, upwards positive
    int advance = 0;  // pen movement in whole pixels
  };

  struct Line {
    AlphaMask mask;
    int baseline = 0;  // mask row of the baseline
  };

  explicit GlyphRasteriser(const std::string& fontPath);
  ~GlyphRasteriser();
  GlyphRasteriser(const GlyphRasteriser&) = delete;
  GlyphRasteriser& operator=(const GlyphRasteriser&) = delete;

  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

  // One character at a pixel size (the em height), squeezed horizontally by xScale (<= 1 narrows).
  Glyph renderGlyph(char c, int pixelSize, float xScale = 1.0f);
  // A line of text on one baseline, with extra spacing pixels between letters.
  Line renderLine(const std::string& text, int pixelSize, int spacing = 0);

 private:
  bool fail(const std::string& message);

  void* library = nullptr;  // FT_Library
  void* face = nullptr;     // FT_Face
  bool valid = false;
  std::string errorMessage;
};
