#include "production/effects/ParticleBombEffect.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdlib>

#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

namespace {

// Object and clock track of each timed part, the first tank's three, then the second's.
const char* const partObjects[ParticleBombEffect::partCount] = {"TankBody",  "TankTurret",  "TankBarrel",
                                                                "TankBody2", "TankTurret2", "TankBarrel2"};
const char* const partTracks[ParticleBombEffect::partCount] = {"base.anim",  "top.anim",  "tube.anim",
                                                               "base2.anim", "top2.anim", "tube2.anim"};

// Where the gun's muzzle is along the barrel's own x axis, and how far the shell flies.
constexpr float muzzle = 5.2f;
constexpr float range = 45.0f;
constexpr float flashLength = 9.0f;
constexpr float burstRadius = 18.0f;

}  // namespace

Effect* ParticleBombEffect::getInstance() { return new ParticleBombEffect(); }

void ParticleBombEffect::registerTracks() {
  for (const char* name : partTracks) addTrackName(name);
  addTrackName("boom");
}

void ParticleBombEffect::init() {
  EffectResources look(*this);
  scene = look.scene("arena");
  for (int part = 0; part < partCount; ++part) clocks[part] = look.track(partTracks[part]);
  boom = look.track("boom");
  ready = look.complete();
  if (!ready) return;
  for (int part = 0; part < partCount; ++part) scene->ApplyTimer(partObjects[part], &timers[part]);
  barrels = {scene->getObjectByName("TankBarrel"), scene->getObjectByName("TankBarrel2")};
  // The same rays on every run: a fixed seed, uniform directions on the sphere.
  srand(4711);
  directions.clear();
  for (int i = 0; i < rayCount; ++i) {
    const float y = 2.0f * rand() / RAND_MAX - 1.0f;
    const float angle = 6.2831853f * rand() / RAND_MAX;
    const float ring = std::sqrt(1.0f - y * y);
    directions.push_back(Vector3f(ring * std::cos(angle), y, ring * std::sin(angle)));
  }
}

// Before any effect draws, so the arena poses the tanks at this frame's clocks.
void ParticleBombEffect::predraw(unsigned time) {
  if (!ready) return;
  for (int part = 0; part < partCount; ++part) timers[part].updateTime(clocks[part]->getValue(time));
}

void ParticleBombEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  const float shot = boom->getValue(time);
  if (!(shot > 0.0f && shot < 1.0f)) return;
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthMask(GL_FALSE);
  glLineWidth(2.0f);
  for (const QNVObject* barrel : barrels) {
    if (barrel != nullptr) drawRays(*barrel, shot);
  }
  glPopAttrib();
}

// The muzzle flash first (short rays close round the barrel's axis), then the burst at the end
// of the shell's flight, both fading as the shot runs on.
void ParticleBombEffect::drawRays(const QNVObject& barrel, float shot) const {
  const Matrix& m = barrel.getGlobalMatrix();
  const Vector3f tip = m.transformPoint(Vector3f(muzzle, 0.0f, 0.0f));
  const Vector3f axis = m.transformDirection(Vector3f(1.0f, 0.0f, 0.0f)).normalised();
  const Vector3f landing = tip + axis * (range * std::fmin(shot * 3.0f, 1.0f));
  const float fade = 1.0f - shot;
  glBegin(GL_LINES);
  for (const Vector3f& d : directions) {
    const Vector3f flash = tip + (axis + d * 0.35f) * (flashLength * std::fmin(shot * 6.0f, 1.0f));
    glColor4f(1.0f, 0.9f, 0.5f, fade * fade);
    glVertex3fv(tip.data());
    glColor4f(1.0f, 0.4f, 0.1f, 0.0f);
    glVertex3fv(flash.data());
    const Vector3f end = landing + d * (burstRadius * shot);
    glColor4f(1.0f, 0.7f, 0.3f, fade);
    glVertex3fv(landing.data());
    glColor4f(0.9f, 0.2f, 0.05f, 0.0f);
    glVertex3fv(end.data());
  }
  glEnd();
}
