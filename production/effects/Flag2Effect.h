// A still flag plane whose motion is left to the "flag" shader: its uniform "tel" is the track
// "flags.wave". The production does not register this class.
// Depends on: Effect, EffectResources, FlagPrecalced, Shader, Texture, TrackInterpolate, OpenGL.
#pragma once

#include <memory>

#include "demosys/effect/Effect.h"
#include "production/effects/FlagPrecalced.h"

class Shader;
class Texture;

class Flag2Effect : public Effect {
 public:
  void registerTracks() override;
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  void musicEvent() override {}
  Effect* getInstance() override;

 private:
  std::unique_ptr<FlagPrecalced> first;
  std::unique_ptr<FlagPrecalced> second;
  Texture* logo = nullptr;
  Shader* textureShader = nullptr;
  Shader* flagShader = nullptr;
  TrackInterpolate* wave = nullptr;
  bool ready = false;
};
