#include "production/effects/OverlayEffect.h"

#include <GL/glew.h>

#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

Effect* OverlayEffect::getInstance() { return new OverlayEffect(); }

void OverlayEffect::registerTracks() { addTrackName("alpha"); }

void OverlayEffect::init() {
  EffectResources look(*this);
  texture = look.textureOf("texture");
  alpha = look.track("alpha");
  shader = look.shaderOf("shader");
  std::string blend = look.parameter("alphablend");
  alphaBlending = blend != "0" && blend != "false";
  ready = look.complete();
}

void OverlayEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  NdcMatrices::push();
  glDisable(GL_DEPTH_TEST);
  shader->use();
  if (alphaBlending) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    shader->setUniform4f("color", 1.0f, 1.0f, 1.0f, alpha->getValue(time));
  } else {
    shader->setUniform4f("color", 1.0f, 1.0f, 1.0f, 1.0f);
  }
  shader->setTextureUnit0("texture", texture);
  FullScreenQuad::vertices(pictureWidth, pictureBottom);
  texture->release();
  NdcMatrices::pop();
  if (alphaBlending) {
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
  }
  shader->release();
  glEnable(GL_DEPTH_TEST);
}
