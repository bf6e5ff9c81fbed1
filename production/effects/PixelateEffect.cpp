#include "production/effects/PixelateEffect.h"

#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

Effect* PixelateEffect::getInstance() { return new PixelateEffect(); }

void PixelateEffect::registerTracks() { addTrackName("pixel_size"); }

void PixelateEffect::init() {
  EffectResources look(*this);
  shader = look.shaderOf("pixelate");
  source = look.fboOf("source");
  pixelSize = look.track("pixel_size");
  ready = look.complete();
}

void PixelateEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  NdcMatrices::push();
  glDisable(GL_CULL_FACE);
  shader->use();
  shader->setTextureUnit0("tex", source->getColorBuffer());
  shader->setUniform1f("num_pixels", pixelSize->getValue(time));
  FullScreenQuad::draw();
  shader->release();
  glEnable(GL_CULL_FACE);
  NdcMatrices::pop();
}
