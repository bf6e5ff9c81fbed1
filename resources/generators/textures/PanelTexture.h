// Riveted metal plating that tiles: square panels with dark seams and a lit upper edge, rivets at
// the corners and a little grime. robot.png (the droids' blue steel with a band of red lamps
// along its top row of panels) and hull.png (the light grey skin of the jets and the zeppelin).
// Depends on: GeneratedTexture, TileNoise.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class PanelTexture : public GeneratedTexture {
 public:
  static constexpr int size = 256;

  PanelTexture(std::string name, const Colour& metal, int panel, bool lamps);

  std::string fileName() const override { return name; }
  Canvas render(GlyphRasteriser& font) const override;

 private:
  std::string name;
  Colour metal;
  int panel;  // pixels, a divisor of size so the panels tile
  bool lamps;
};
