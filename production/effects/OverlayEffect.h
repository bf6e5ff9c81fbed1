// Overlay: a picture over the whole target through a shader, optionally alpha-blended with the
// "alpha" track. The picture is the top-left 0.9375 x 0.5273 of its texture (a 960 x 540 image
// in a 1024 x 1024 texture).
// Depends on: Effect, EffectResources, FullScreenQuad, NdcMatrices, Shader, Texture.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;
class Texture;

class OverlayEffect : public Effect {
 public:
  static constexpr float pictureWidth = 0.9375f;
  // Texture height of the picture's bottom edge; its top edge is the texture's top.
  static constexpr float pictureBottom = 0.4727f;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  Texture* texture = nullptr;
  Shader* shader = nullptr;
  TrackInterpolate* alpha = nullptr;
  bool alphaBlending = true;
  bool ready = false;
};
