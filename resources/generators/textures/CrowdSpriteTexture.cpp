#include "resources/generators/textures/CrowdSpriteTexture.h"

namespace {

struct Figure {
  Colour shirt;
  float leftHand[2];   // where the left arm ends, from the shoulder at (20, 42)
  float rightHand[2];  // the right arm, from (44, 42)
  bool scarf;
};

constexpr Figure cast[CrowdSpriteTexture::figures] = {
    {{0.92f, 0.92f, 0.96f, 1.0f}, {12, 10}, {52, 10}, false},
    {{0.98f, 0.55f, 0.45f, 1.0f}, {14, 60}, {54, 6}, false},
    {{0.55f, 0.78f, 1.0f, 1.0f}, {16, 62}, {48, 62}, false},
    {{1.0f, 0.88f, 0.45f, 1.0f}, {10, 14}, {54, 14}, true},
};

}  // namespace

Canvas CrowdSpriteTexture::render(GlyphRasteriser&) const {
  Canvas canvas(figureSize * figures, figureSize);
  const Colour skin{0.96f, 0.82f, 0.68f, 1.0f}, scarf{0.9f, 0.1f, 0.12f, 1.0f};
  for (int i = 0; i < figures; ++i) {
    const Figure& f = cast[i];
    const float x = static_cast<float>(i * figureSize);
    canvas.fillCapsule(x + 32, 50, x + 32, 70, 15, f.shirt);  // torso, cut off by the seat row below
    canvas.fillCapsule(x + 20, 42, x + f.leftHand[0], f.leftHand[1], 4.0f, f.shirt);
    canvas.fillCapsule(x + 44, 42, x + f.rightHand[0], f.rightHand[1], 4.0f, f.shirt);
    canvas.fillCapsule(x + f.leftHand[0], f.leftHand[1], x + f.leftHand[0], f.leftHand[1], 3.5f, skin);
    canvas.fillCapsule(x + f.rightHand[0], f.rightHand[1], x + f.rightHand[0], f.rightHand[1], 3.5f, skin);
    canvas.fillCapsule(x + 32, 26, x + 32, 28, 9, skin);  // head
    if (f.scarf) canvas.fillCapsule(x + f.leftHand[0], f.leftHand[1], x + f.rightHand[0], f.rightHand[1], 3.0f, scarf);
  }
  return canvas;
}
