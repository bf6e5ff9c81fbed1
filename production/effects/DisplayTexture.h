// DisplayTexture: a textured quad placed in the current 3D view by its tracks (position, optional
// per-frame random jitter, size, rotation in degrees), optionally alpha-blended, drawn plainly or
// through a shader, with a texture that can scroll (and then repeats).
// Depends on: Effect, EffectResources, Shader, Texture, TrackInterpolate.
#pragma once

#include "demosys/effect/Effect.h"

class Shader;
class Texture;

class DisplayTexture : public Effect {
 public:
  // Scroll speed 1 moves the texture by its whole width every this many milliseconds.
  static constexpr float msPerScrollUnit = 15.0f;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override;
  void registerTracks() override;
  Effect* getInstance() override;

 private:
  enum TrackIndex {
    ALPHA,
    POS_X,
    POS_Y,
    POS_Z,
    SIZE_X,
    SIZE_Y,
    ROT_X,
    ROT_Y,
    ROT_Z,
    SCROLL_X,
    SCROLL_Y,
    RNDPOS_X,
    RNDPOS_Y,
    TRACK_COUNT
  };

  void readTracks(unsigned time);
  // The track's value, or with a jitter radius r > 0 a fresh uniform value in [-r, r].
  static float jittered(float value, float radius);
  void setState();
  void restoreState();
  void drawQuad();
  void advanceScroll(unsigned frameDelta);

  Texture* texture = nullptr;
  Shader* shader = nullptr;
  bool alphaBlending = false;
  TrackInterpolate* tracks[TRACK_COUNT] = {};
  float position[3] = {0.0f, 0.0f, 0.0f};
  float rotation[3] = {0.0f, 0.0f, 0.0f};
  float halfWidth = 1.0f;
  float halfHeight = 1.0f;
  float scroll[2] = {0.0f, 0.0f};
  float scrollSpeed[2] = {0.0f, 0.0f};
  bool scrolling = false;
  float alpha = 1.0f;
  bool ready = false;
};
