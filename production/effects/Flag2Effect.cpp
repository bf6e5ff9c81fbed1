#include "production/effects/Flag2Effect.h"

#include <GL/glew.h>

#include <iostream>

#include "demosys/render/Shader.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

Effect* Flag2Effect::getInstance() { return new Flag2Effect(); }

void Flag2Effect::registerTracks() { addTrackName("flags.wave"); }

// Both planes are built with their tables; only the first is drawn.
void Flag2Effect::init() {
  std::cout << "Flag2Effect::init()" << std::endl;
  reset();
  first = std::make_unique<FlagPrecalced>(1.0f, 0.5f, 64, 64);
  first->setSeedY(17431, 789021, 1476412589, 1373441664.0f);
  first->setSeedZ(14731, 728221, 1376312589, 1078741632.0f);
  first->calcNoise();
  second = std::make_unique<FlagPrecalced>(1.0f, 0.5f, 64, 64);
  second->calcNoise();
  EffectResources look(*this);
  logo = look.textureOf("qnvlogo");
  textureShader = look.shader("texture");
  flagShader = look.shader("flag");
  wave = look.track("flags.wave");
  ready = look.complete();
}

// The modelview is restored afterwards, so the push back does not add up from frame to frame.
void Flag2Effect::draw(unsigned time, unsigned) {
  if (!ready) return;
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, -10.0f);
  flagShader->use();
  flagShader->setUniform1f("tel", wave->getValue(time));
  flagShader->setTextureUnit0("texture", logo);
  flagShader->setUniform4f("color", 1.0f, 1.0f, 1.0f, 1.0f);
  first->draw();
  flagShader->release();
  glPopMatrix();
}
