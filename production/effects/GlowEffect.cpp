#include "production/effects/GlowEffect.h"

#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

namespace {
const float blurRadius = 4.0f;
const float compositeOpacity = 0.5f;
}  // namespace

Effect* GlowEffect::getInstance() { return new GlowEffect(); }

void GlowEffect::reset() {}

// The blur shaders sample past the edges; clamping keeps the far side from bleeding in.
void GlowEffect::init() {
  reset();
  EffectResources look(*this);
  blurXShader = look.shaderOf("blurx_shader");
  blurYShader = look.shaderOf("blury_shader");
  source = look.fboOf("source_fbo");
  blurX = look.fboOf("blurx_fbo");
  blurY = look.fboOf("blury_fbo");
  screenShader = look.shaderOf("screen_shader");
  kernel = look.textureOf("blur_kernel");
  ready = look.complete();
  if (!ready) return;
  for (FrameBufferObject* fbo : {source, blurX, blurY})
    fbo->getColorBuffer()->setTextureWrap(GL_CLAMP_TO_EDGE);
}

void GlowEffect::draw(unsigned, unsigned) {
  if (!ready) return;
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  blurPass(blurXShader, source, blurX, static_cast<float>(blurX->getWidth()));
  blurPass(blurYShader, blurX, blurY, static_cast<float>(blurY->getHeight()));
  NdcMatrices::push();
  composite();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_COLOR_MATERIAL);
  source->bind();
  source->clear();
  source->release();
  NdcMatrices::pop();
  glEnable(GL_CULL_FACE);
}

void GlowEffect::blurPass(Shader* shader, FrameBufferObject* from, FrameBufferObject* to, float textureSize) {
  to->bind();
  shader->use();
  shader->setTextureUnit0("source", from->getColorBuffer());
  shader->setTextureUnit1("kernel", kernel);
  shader->setUniform1f("blur_radius", blurRadius);
  shader->setUniform1f("texture_size", textureSize);
  from->draw(1.0f);
  shader->release();
  to->release();
}

void GlowEffect::composite() {
  screenShader->use();
  screenShader->setUniform1f("opacity", compositeOpacity);
  screenShader->setTextureUnit0("destination", source->getColorBuffer());
  screenShader->setTextureUnit1("source", blurY->getColorBuffer());
  FullScreenQuad::draw();
  screenShader->release();
}
