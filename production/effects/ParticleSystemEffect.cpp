#include "production/effects/ParticleSystemEffect.h"

#include <GL/glew.h>

#include "demosys/render/ParticleSystem.h"
#include "production/effects/EffectResources.h"

namespace {

constexpr float distanceAhead = 20.0f;
constexpr float spritePixels = 12.0f;

}  // namespace

ParticleSystemEffect::ParticleSystemEffect() = default;
ParticleSystemEffect::~ParticleSystemEffect() = default;

Effect* ParticleSystemEffect::getInstance() { return new ParticleSystemEffect(); }

void ParticleSystemEffect::init() {
  EffectResources look(*this);
  pointShader = look.shader("particleshader");
  spriteShader = look.shader("particlespriteshader");
  sprite = look.textureOf("texture");
  ready = look.complete();
  if (!ready) return;
  particles = std::make_unique<ParticleSystem>(side, side, true);
  particles->createPoints(side, side);
  particles->setPointSize(spritePixels);
  particles->initBuffers();
}

void ParticleSystemEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  const float seconds = time * 0.001f;
  glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_POINT_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, -distanceAhead);
  glEnable(GL_DEPTH_TEST);
  glPointSize(2.0f);
  particles->drawPoints(pointShader, seconds);
  particles->drawPointSprites(spriteShader, sprite, seconds);
  glPopMatrix();
  glPopAttrib();
}
