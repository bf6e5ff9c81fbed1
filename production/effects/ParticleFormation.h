// A picture made of particles standing over the arena floor: a grid of point sprites (the
// parameter "sprite" names their picture) spread over the bounds of the object "Floor" of the
// scene the parameter "scene" names, each tinted by the point of the picture "bender_overlay" it
// stands on and bobbing in a slow wave ("shader", sprites "PointSize" pixels at a distance of
// 10). The effect frames the floor from above and in front on its own view.
// Depends on: Effect, EffectResources, ParticleSystem, QNVScene, QNVObject, Shader, Texture,
// QNVUtils, OpenGL, GLU.
#pragma once

#include <memory>

#include "demosys/effect/Effect.h"
#include "demosys/math/Vector.h"

class ParticleSystem;
class Shader;
class Texture;

class ParticleFormation : public Effect {
 public:
  static constexpr int columns = 128;
  static constexpr int rows = 64;

  ParticleFormation();
  ~ParticleFormation() override;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

  const ParticleSystem* getParticles() const { return particles.get(); }

 private:
  void placeParticles(const Vector3f& low, const Vector3f& high);

  Shader* shader = nullptr;
  Texture* sprite = nullptr;
  Texture* overlay = nullptr;
  std::unique_ptr<ParticleSystem> particles;
  Vector3f centre;
  float size = 1.0f;
  bool ready = false;
};
