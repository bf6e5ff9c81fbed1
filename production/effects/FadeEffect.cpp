#include "production/effects/FadeEffect.h"

#include <GL/glew.h>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

Effect* FadeEffect::getInstance() { return new FadeEffect(); }

void FadeEffect::registerTracks() {
  for (const char* name : {"alpha", "red", "green", "blue", "fmod", "volume"}) addTrackName(name);
}

void FadeEffect::reset() {
  for (float& c : colour) c = 1.0f;
  spectrumLength = spectrumBands;
}

void FadeEffect::init() {
  reset();
  EffectResources look(*this);
  alpha = look.track("alpha");
  red = look.track("red");
  green = look.track("green");
  blue = look.track("blue");
  fmod = look.track("fmod");
  look.track("volume");  // declared and bound like the others; nothing reads it
  spectrum.assign(static_cast<size_t>(spectrumLength), 0.0f);
  ready = look.complete();
}

void FadeEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  NdcMatrices::push();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  colour[0] = red->getValue(time);
  colour[1] = green->getValue(time);
  colour[2] = blue->getValue(time);
  colour[3] = opacity(time);
  drawColour();
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_COLOR_MATERIAL);
  NdcMatrices::pop();
}

// The band is "fmod" truncated; comparing the float itself keeps huge or NaN values away from the
// integer conversion.
float FadeEffect::opacity(unsigned time) {
  float band = fmod->getValue(time);
  if (band >= 1.0f && band < static_cast<float>(spectrumLength))
    return spectrumAround(static_cast<int>(band));
  return alpha->getValue(time);
}

float FadeEffect::spectrumAround(int band) {
  if (QNVDemosys::timer != nullptr) {
    QNVDemosys::timer->GetDirectSoundData(Timer::AVERAGE, spectrumLength, spectrum.data());
  }
  float above = band + 1 < spectrumLength ? spectrum[band + 1] : spectrum[band];
  return 2.0f * (spectrum[band - 1] + spectrum[band] + above);
}

void FadeEffect::drawColour() {
  glColor4fv(colour);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-2.0f, -2.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(2.0f, -2.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(2.0f, 2.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-2.0f, 2.0f);
  glEnd();
}
