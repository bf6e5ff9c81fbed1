#include "production/effects/DistortEffect.h"

#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

Effect* DistortEffect::getInstance() { return new DistortEffect(); }

void DistortEffect::registerTracks() { addTrackName("source"); }

void DistortEffect::reset() {
  noiseFrame = 0.0f;
  hNoiseFrame = 0.0f;
}

void DistortEffect::init() {
  reset();
  EffectResources look(*this);
  hstripes = look.textureOf("hstripes");
  noise = look.textureOf("noise");
  shader = look.shaderOf("distort");
  const char* const names[4] = {"offscreen", "offscreen2", "offscreen3", "offscreen4"};
  for (int i = 0; i < 4; ++i) sources[i] = look.fbo(names[i]);
  sourceTrack = look.track("source");
  ready = look.complete();
}

int DistortEffect::sourceIndex(float value) {
  if (value > 1.5f && value < 2.5f) return 1;
  if (value > 2.5f && value < 3.5f) return 2;
  if (value > 3.5f && value < 4.5f) return 3;
  return 0;
}

void DistortEffect::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  FrameBufferObject* source = sources[sourceIndex(sourceTrack->getValue(time))];
  NdcMatrices::push();
  shader->use();
  setUniforms(source);
  glDisable(GL_DEPTH_TEST);
  FullScreenQuad::draw();
  shader->release();
  noiseFrame += static_cast<float>(frameDelta) * noisePerMs;
  hNoiseFrame += static_cast<float>(frameDelta) * noisePerMs;
  glEnable(GL_DEPTH_TEST);
  NdcMatrices::pop();
}

void DistortEffect::setUniforms(FrameBufferObject* source) {
  shader->setTextureUnit0("Texture0", source->getColorBuffer());
  shader->setTextureUnit1("Texture1", hstripes);
  shader->setTextureUnit2("Texture2", noise);
  shader->setUniform1f("Brightness", 0.0f);
  shader->setUniform1f("Contrast", 0.5f);
  shader->setUniform1f("NoiseFrame", noiseFrame);
  shader->setUniform1f("NoiseSpeed", 2.0f);
  shader->setUniform1f("NoiseRamp", 8.0f);
  shader->setUniform1f("hNoiseFrame", hNoiseFrame);
  shader->setUniform1f("hNoiseSpeed", 4.0f);
}
