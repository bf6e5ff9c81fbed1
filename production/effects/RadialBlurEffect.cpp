#include "production/effects/RadialBlurEffect.h"

#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Shader.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

Effect* RadialBlurEffect::getInstance() { return new RadialBlurEffect(); }

void RadialBlurEffect::registerTracks() { addTrackName("num_passes"); }

void RadialBlurEffect::reset() {
  zoom = 1.0f;
  alpha = 1.0f;
}

void RadialBlurEffect::init() {
  reset();
  EffectResources look(*this);
  zoomBlend = look.shaderOf("zoom_blend");
  offscreen = look.fboOf("offscreen");
  blurX = look.fboOf("blurx");
  blurY = look.fboOf("blury");
  numPasses = look.track("num_passes");
  ready = look.complete();
}

// blury is flagged rather than cleared here: the first pass, at full weight, covers it anyway,
// and the frame's end clears it for whoever reads it next.
void RadialBlurEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  zoom = 1.0f;
  alpha = 1.0f;
  blurX->bind();
  blurX->setClearFlag(true);
  offscreen->draw(1.0f);
  blurX->release();
  blurY->bind();
  blurY->setClearFlag(true);
  blurY->release();
  zoomStep = zoomStepPerPass;
  alphaStep = 1.0f / numPasses->getValue(time);
  for (int pass = 0; pass < passCount; ++pass) {
    blendPass();
    alpha -= alphaStep;
    zoom += zoomStep;
  }
  blurY->draw();
}

// blurx zoomed and blended into blury, then blury copied back as the next pass's input.
void RadialBlurEffect::blendPass() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  zoomBlend->use();
  zoomBlend->setUniform1f("zoom_factor", zoom);
  zoomBlend->setUniform1f("alpha", alpha);
  zoomBlend->setTextureUnit0("Texture", blurX->getColorBuffer());
  blurY->bind();
  blurX->draw();
  blurY->release();
  zoomBlend->release();
  glDisable(GL_BLEND);
  blurX->bind();
  blurY->draw();
  blurX->release();
}
