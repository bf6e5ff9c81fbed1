// led_display.png: the zeppelin's scrolling LED display, 256 x 16 round amber lamps (4 pixels a
// lamp) spelling the production's greeting; dark lamps stay faintly visible. The lamp grid divides
// the width, so the display repeats seamlessly along s when it scrolls.
// Depends on: GeneratedTexture, GlyphRasteriser.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class LedDisplayTexture : public GeneratedTexture {
 public:
  static constexpr int lamp = 4;
  static constexpr int columns = 256;
  static constexpr int rows = 16;

  std::string fileName() const override { return "led_display.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
