// ArenaEffect: the flags at their poles and the jets' exhaust streams.
#include <GL/glew.h>

#include <cmath>
#include <cstdlib>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/ParticleSystem.h"
#include "demosys/render/Shader.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/ArenaEffect.h"
#include "production/effects/FlagPrecalced.h"

namespace {

constexpr int streamSide = 16;
constexpr double randomRange = 2147483648.0;  // 2^31: rand() / 2^31 lies in [0, 1)
constexpr double twoPi = 6.283185307179586;
// The nozzle in the jet's own axes (the nose points along +x).
const Vector3f nozzle(-3.6f, 0.0f, 0.0f);
// The cloth's corner at the pole's top, in the cloth's own axes (6 wide, 4 high, at z = -1).
const Vector3f clothCorner(3.0f, 2.0f, -1.0f);

double unit() { return rand() / randomRange; }

}  // namespace

// Two cloths with their own noise, so the flags do not wave in step.
void ArenaEffect::initFlag() {
  const char* poles[2] = {"FlagPole1", "FlagPole2"};
  for (int f = 0; f < 2; ++f) {
    flags[f].pole = arena->getObjectByName(poles[f]);
    flags[f].cloth = std::make_unique<FlagPrecalced>(1.0f, 0.5f, 64, 64);
  }
  flags[0].cloth->setSeedY(17431, 789021, 1476412589, 1373441664.0f);
  flags[0].cloth->setSeedZ(14731, 728221, 1376312589, 1078741632.0f);
  for (Pole& flag : flags) flag.cloth->calcNoise();
  QNVObject* shield = arena->getObjectByName("ShieldDecal");
  decal = shield != nullptr ? shield->getLocalTranslation() : Vector3f();
}

void ArenaEffect::createStreamParticleSystem() {
  stream = std::make_unique<ParticleSystem>(streamSide, streamSide, true);
  fillStream(*stream);
}

void ArenaEffect::createStreamParticleSystem2() {
  stream2 = std::make_unique<ParticleSystem>(streamSide, streamSide, true);
  fillStream(*stream2);
}

void ArenaEffect::fillStream(ParticleSystem& particles) {
  Vector3f* positions = particles.getVertexPointer();
  float* colours = particles.getColorPointer();
  float* velocities = particles.getVelocityPointer();
  float* starts = particles.getStartPointer();
  for (int i = 0; i < particles.getCount(); ++i) {
    const double theta = twoPi * unit();
    const double phi = twoPi * unit();
    positions[i] = Vector3f(std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta));
    for (int c = 0; c < 3; ++c) colours[3 * i + c] = 1.0f;
    velocities[3 * i] = static_cast<float>(unit() / 15.0 - 0.2);
    velocities[3 * i + 1] = 0.0f;
    velocities[3 * i + 2] = 0.0f;
    starts[i] = static_cast<float>(unit() * 100.0);
  }
  particles.initBuffers();
}

// Each cloth hangs from its pole's top and flies away from the shield between the poles; both
// faces show.
void ArenaEffect::drawFlag(unsigned time) {
  const float phase = flagsWave->getValue(time);
  glDisable(GL_CULL_FACE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  flagShader->use();
  flagShader->setUniform1f("tel", 0.0f);
  flagShader->setTextureUnit0("texture", flagTexture);
  flagShader->setUniform4f("color", 1.0f, 1.0f, 1.0f, 1.0f);
  for (Pole& flag : flags) {
    if (flag.pole == nullptr) continue;
    const Vector3f top = flag.pole->getGlobalTranslation();
    const Vector3f away = top - decal;
    const float heading = static_cast<float>(std::atan2(away.z(), -away.x()) * 360.0 / twoPi);
    glPushMatrix();
    glTranslatef(top.x(), top.y(), top.z());
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    glTranslatef(-clothCorner.x(), -clothCorner.y(), -clothCorner.z());
    flag.cloth->wave(phase);
    flag.cloth->draw();
    glPopMatrix();
  }
  flagShader->release();
  glEnable(GL_CULL_FACE);
}

// Every jet trails a stream in its own axes, so the exhaust leaves the nozzle whichever way the
// jet banks; the two particle systems alternate so neighbours do not puff in step.
void ArenaEffect::drawJets(unsigned time) {
  const int width = QNVDemosys::screenMetrics != nullptr ? QNVDemosys::screenMetrics->getWidth() : 1680;
  const float size = static_cast<float>(sps(jetSize->getValue(time), width));
  const float alpha = jetAlpha->getValue(time);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  for (int j = 0; j < jetCount; ++j) {
    if (jets[j] == nullptr) continue;
    ParticleSystem& particles = j % 2 == 0 ? *stream : *stream2;
    particles.setPointSize(size);
    glPushMatrix();
    glMultMatrixf(jets[j]->getGlobalMatrix().data());
    streamShader->use();
    streamShader->setUniform1f("alpha", alpha);
    streamShader->setUniform3fv("nozzle", nozzle);
    particles.drawPointSprites(streamShader, particle, time * 0.001f + 0.37f * j);
    glPopMatrix();
  }
  glDisable(GL_ALPHA_TEST);
}
