#include "production/effects/HUDEffect.h"

#include <GL/glew.h>

#include <algorithm>

#include "demosys/core/QNVDemosys.h"
#include "demosys/timeline/Timer.h"
#include "production/effects/Crosshair.h"
#include "production/effects/HUDVolumeMeter.h"
#include "production/effects/HUDVolumeMeterCircle.h"
#include "production/effects/Ruler.h"

namespace {

const Vector4f rulerColour(1.0f, 0.25f, 0.25f, 0.75f);
const Vector4f meterColour(1.0f, 0.0f, 0.0f, 0.75f);

// A band sum scaled to a level; clamped as a float first, so loud or broken values stay in range.
int level(const float* spectrum, int first, int last, float scale, float most) {
  float sum = 0.0f;
  for (int i = first; i <= last; ++i) sum += spectrum[i];
  return static_cast<int>(std::max(0.0f, std::min(sum * scale * 0.03125f, most)));
}

}  // namespace

HUDEffect::HUDEffect() = default;
HUDEffect::~HUDEffect() = default;

Effect* HUDEffect::getInstance() { return new HUDEffect(); }

int HUDEffect::lowLevel(const float* spectrum) { return level(spectrum, 0, 30, 512.0f, 23.0f); }

int HUDEffect::highLevel(const float* spectrum) { return level(spectrum, 32, 62, 10000.0f, 31.0f); }

// A perspective with near 1 and far 800 whatever the window: the instruments sit on its near plane.
void HUDEffect::init() {
  ruler1 = std::make_unique<Ruler>(-0.9f, 1.0f, 0.05f, 3.0f, 150, 10, 0, rulerColour);
  ruler2 = std::make_unique<Ruler>(-1.0f, -0.48f, 0.05f, 3.0f, 150, 10, Ruler::horizontal, rulerColour);
  leftBar = std::make_unique<HUDVolumeMeter>(-0.88f, -0.34f, 1.59f, 0.05f, 64, meterColour);
  rightBar = std::make_unique<HUDVolumeMeter>(-0.88f, -0.41f, 1.59f, 0.05f, 64, meterColour);
  leftRing = std::make_unique<HUDVolumeMeterCircle>(0.85f, -0.31f, 0.12f, 48, 0.05f, meterColour);
  rightRing = std::make_unique<HUDVolumeMeterCircle>(0.85f, 0.0f, 0.12f, 48, 0.05f, meterColour);
  crosshair = std::make_unique<Crosshair>(0.73f, 0.19f, 0.24f, 0.24f, 10, meterColour);
  left.assign(spectrumLength, 0.0f);
  right.assign(spectrumLength, 0.0f);
  std::fill(std::begin(projection), std::end(projection), 0.0f);
  projection[0] = 0.98105299f;
  projection[5] = 1.56969f;
  projection[10] = -1.0025f;
  projection[11] = -1.0f;
  projection[14] = -2.0025f;
}

void HUDEffect::draw(unsigned, unsigned frameDelta) {
  if (!crosshair) return;
  glDisable(GL_CULL_FACE);
  readSpectrum();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_COLOR_MATERIAL);
  drawInstruments(frameDelta);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glEnable(GL_CULL_FACE);
}

void HUDEffect::readSpectrum() {
  if (QNVDemosys::timer == nullptr) return;
  QNVDemosys::timer->GetDirectSoundData(Timer::LEFT, spectrumLength, left.data());
  QNVDemosys::timer->GetDirectSoundData(Timer::RIGHT, spectrumLength, right.data());
}

// The bars follow the high bands, the rings the low ones; the rulers scroll and the cross roams
// with the frame time.
void HUDEffect::drawInstruments(unsigned frameDelta) {
  const float delta = static_cast<float>(frameDelta);
  const float offset = delta * -0.0002f;
  ruler1->draw(offset);
  ruler2->draw(offset);
  leftBar->draw(highLevel(left.data()));
  rightBar->draw(highLevel(right.data()));
  leftRing->draw(lowLevel(left.data()));
  rightRing->draw(lowLevel(right.data()));
  crosshair->draw(delta * 0.0002f, delta * 0.0003f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
