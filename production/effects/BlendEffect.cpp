#include "production/effects/BlendEffect.h"

#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"
#include "qnvutils/QNVUtils.h"

Effect* BlendEffect::getInstance() { return new BlendEffect(); }

void BlendEffect::reset() { opacity = scriptOpacity; }

void BlendEffect::init() {
  EffectResources look(*this);
  scriptOpacity = QNVUtils::string2Float(look.parameter("opacity"));
  reset();
  shader = look.shaderOf("shader");
  source = look.fboOf("source");
  ready = look.complete();
}

void BlendEffect::draw(unsigned, unsigned) {
  if (!ready) return;
  NdcMatrices::push();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  shader->use();
  shader->setUniform1f("opacity", opacity);
  shader->setTextureUnit0("source", source->getColorBuffer());
  FullScreenQuad::draw();
  shader->release();
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  NdcMatrices::pop();
}
