#include "production/effects/LensEffect.h"

#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

Effect* LensEffect::getInstance() { return new LensEffect(); }

void LensEffect::registerTracks() {
  addTrackName("depth");
  addTrackName("multiplier");
  addTrackName("divider");
}

void LensEffect::reset() { rasterScroll = 0.0f; }

void LensEffect::init() {
  reset();
  EffectResources look(*this);
  source = look.fboOf("source_buffer");
  shader = look.shader("lens");
  depth = look.track("depth");
  multiplier = look.track("multiplier");
  divider = look.track("divider");
  ready = look.complete();
}

void LensEffect::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  glDisable(GL_CULL_FACE);
  NdcMatrices::push();
  shader->use();
  shader->setTextureUnit0("tex", source->getColorBuffer());
  shader->setUniform1f("rasterScroll", rasterScroll);
  shader->setUniform1f("depth", depth->getValue(time));
  shader->setUniform1f("multiplier", multiplier->getValue(time));
  shader->setUniform1f("divider", divider->getValue(time));
  shader->setUniform1f("rasterSize2", 1.0f);
  FullScreenQuad::draw();
  shader->release();
  rasterScroll += (static_cast<float>(frameDelta) / 10.0f) * scrollPerTenMs;
  NdcMatrices::pop();
  glEnable(GL_CULL_FACE);
}
