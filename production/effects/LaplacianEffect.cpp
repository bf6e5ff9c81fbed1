#include "production/effects/LaplacianEffect.h"

#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

Effect* LaplacianEffect::getInstance() { return new LaplacianEffect(); }

void LaplacianEffect::init() {
  EffectResources look(*this);
  source = look.fboOf("source_buffer");
  tmp = look.fboOf("tmp_buffer");
  laplacian = look.shader("laplacian");
  dilation = look.shader("dilate");
  ready = look.complete();
}

void LaplacianEffect::draw(unsigned, unsigned) {
  if (!ready) return;
  glDisable(GL_CULL_FACE);
  NdcMatrices::push();
  detectEdges();
  dilate();
  NdcMatrices::pop();
  glEnable(GL_CULL_FACE);
}

void LaplacianEffect::detectEdges() {
  tmp->bind();
  tmp->setClearFlag(true);
  laplacian->use();
  laplacian->setTextureUnit0("Texture", source->getColorBuffer());
  laplacian->setUniform1f("contrast", 2.0f);
  laplacian->setUniform3f("color", 1.0f, 0.0f, 0.0f);
  laplacian->setUniform1f("viewportStep", viewportStep);
  FullScreenQuad::draw();
  laplacian->release();
  tmp->release();
}

void LaplacianEffect::dilate() {
  dilation->use();
  dilation->setTextureUnit0("Texture", tmp->getColorBuffer());
  dilation->setUniform1f("viewportStep", viewportStep);
  FullScreenQuad::draw();
  dilation->release();
}
