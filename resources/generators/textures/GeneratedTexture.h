// One picture the production loads as a texture, drawn from code: its file name in the graphics
// directory and how it is drawn. Pictures with lettering use the shared font rasteriser.
// Depends on: Canvas, GlyphRasteriser.
#pragma once

#include <string>

#include "resources/generators/textures/Canvas.h"
#include "resources/generators/textures/GlyphRasteriser.h"

class GeneratedTexture {
 public:
  virtual ~GeneratedTexture() = default;
  virtual std::string fileName() const = 0;
  virtual Canvas render(GlyphRasteriser& font) const = 0;
};
