// The night sky around the scenes: a cube of six textured faces about (xpos, ypos, zpos), "scale"
// from the centre to each face, drawn behind everything (no depth test or writes) under the
// current view, which other effects set up before they call draw. A face whose texture parameter
// is "none" is left out. With a shader its "color" is white; without, the fixed pipeline draws the
// textures in white.
// Depends on: Effect, EffectResources, Shader, Texture, QNVUtils, OpenGL.
#pragma once

#include <array>

#include "demosys/effect/Effect.h"

class Shader;
class Texture;

class SkyboxEffect : public Effect {
 public:
  static constexpr int faceCount = 6;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

 private:
  void drawFaces() const;

  std::array<Texture*, faceCount> faces{};
  Shader* shader = nullptr;
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float scale = 1.0f;
  bool ready = false;
};
