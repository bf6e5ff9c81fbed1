#include "production/effects/CrossfadeEffect.h"

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

Effect* CrossfadeEffect::getInstance() { return new CrossfadeEffect(); }

void CrossfadeEffect::registerTracks() {
  addTrackName("factor1");
  addTrackName("factor2");
}

void CrossfadeEffect::init() {
  EffectResources look(*this);
  buffer1 = look.fboOf("buffer1");
  buffer2 = look.fboOf("buffer2");
  shader = look.shaderOf("shader");
  factor1 = look.track("factor1");
  factor2 = look.track("factor2");
  ready = look.complete();
}

void CrossfadeEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  NdcMatrices::push();
  shader->use();
  shader->setUniform1f("buffer1_factor", factor1->getValue(time));
  shader->setUniform1f("buffer2_factor", factor2->getValue(time));
  shader->setTextureUnit0("buffer1", buffer1->getColorBuffer());
  shader->setTextureUnit1("buffer2", buffer2->getColorBuffer());
  FullScreenQuad::draw();
  shader->release();
  NdcMatrices::pop();
}
