// A fountain of coloured particles twenty units in front of the current view: 64 x 64 particles
// from one point, moved on the GPU, drawn once as plain points ("particleshader") and once as
// additive sprites of the picture the parameter "texture" names ("particlespriteshader").
// Depends on: Effect, EffectResources, ParticleSystem, Shader, Texture, OpenGL.
#pragma once

#include <memory>

#include "demosys/effect/Effect.h"

class ParticleSystem;
class Shader;
class Texture;

class ParticleSystemEffect : public Effect {
 public:
  static constexpr int side = 64;

  ParticleSystemEffect();
  ~ParticleSystemEffect() override;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

 private:
  Shader* pointShader = nullptr;
  Shader* spriteShader = nullptr;
  Texture* sprite = nullptr;
  std::unique_ptr<ParticleSystem> particles;
  bool ready = false;
};
