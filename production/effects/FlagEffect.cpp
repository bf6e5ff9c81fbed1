#include "production/effects/FlagEffect.h"

#include <GL/glew.h>

#include "demosys/camera/Animation.h"
#include "demosys/render/Shader.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

namespace {

constexpr int catmullRom = 1;

}  // namespace

Effect* FlagEffect::getInstance() { return new FlagEffect(); }

void FlagEffect::registerTracks() {
  for (const char* name : {"cam.anim", "flag.wave", "sky.rot", "sky.ty"}) addTrackName(name);
}

// The second flag keeps the default seeds; the first gets its own for y and z, so the two flutter
// differently. The "flagbg" parameter is accepted but nothing draws it.
void FlagEffect::init() {
  reset();
  EffectResources look(*this);
  logo = look.textureOf("qnvlogo");
  shader = look.shaderOf("flagshader");
  material.setAmbient(0.0f, 0.0f, 0.0f);
  material.setDiffuse(1.0f, 1.0f, 1.0f);
  material.setSpecular(1.0f, 1.0f, 1.0f);
  material.setShininess(1.0f);
  Animation* path = look.animation("flaganim");
  if (path != nullptr) path->setInterpolationType(catmullRom);
  camera.setAnimation(path);
  cameraTrack = look.track("cam.anim");
  waveTrack = look.track("flag.wave");
  skyRotation = look.track("sky.rot");
  skyHeight = look.track("sky.ty");
  skybox = look.optionalEffect("skybox");
  ready = look.complete();
  if (!ready) return;
  // The flags' vertex buffers need a GL context; an effect that cannot draw makes none.
  first = std::make_unique<Flag>(1.0f, 0.5f, 64, 64);
  first->setSeedY(15431, 789021, 1376412589, 1073441728.0f);
  first->setSeedZ(14731, 788221, 1370312589, 1072741632.0f);
  second = std::make_unique<Flag>(1.0f, 0.5f, 64, 64);
}

void FlagEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  camera.animate(cameraTrack->getValue(time));
  drawSky(time);
  drawFlags(time);
  glPopMatrix();
}

void FlagEffect::drawSky(unsigned time) {
  if (skybox == nullptr) return;
  glPushMatrix();
  glTranslatef(0.0f, skyHeight->getValue(time), 0.0f);
  glRotatef(skyRotation->getValue(time), 0.0f, 1.0f, 0.0f);
  skybox->draw(0, 0);
  glPopMatrix();
}

// The second flag stands behind and to the right of the first.
void FlagEffect::drawFlags(unsigned time) {
  material.use();
  shader->use();
  shader->setTextureUnit0("texture", logo);
  shader->setUniform4f("color", 1.0f, 1.0f, 1.0f, 1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const float phase = waveTrack->getValue(time);
  glTranslatef(-0.25f, 1.4f, 0.0f);
  first->draw(phase);
  glTranslatef(6.65f, -1.8f, -6.0f);
  second->draw(phase);
  shader->release();
}
