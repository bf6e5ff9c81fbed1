#include "production/effects/VolumMetersEffect.h"

#include <algorithm>
#include <iostream>
#include <string>

#include "demosys/core/QNVDemosys.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/ScaleVolumMeterShader.h"

namespace {

constexpr float restScale = 1.0f;
constexpr double sinkPerMillisecond = 0.05;

}  // namespace

Effect* VolumMetersEffect::getInstance() { return new VolumMetersEffect(); }

void VolumMetersEffect::registerTracks() { addTrackName("volsize"); }

void VolumMetersEffect::init() {
  EffectResources look(*this);
  QNVScene* arena = look.scene("arena");
  volsize = look.track("volsize");
  ready = look.complete();
  if (!ready) return;
  collectMeters(*arena);
  volumeters = arena->getObjectByName("Volumeters");
  if (volumeters != nullptr) volumeters->setVisibleChilden(false);
  values.assign(spectrumLength, 0.0f);
  levels.assign(spectrumLength, 0.0f);
  peaks.assign(spectrumLength, 0.00001f);
}

// "V0", "V1", ... until a number is missing.
void VolumMetersEffect::collectMeters(QNVScene& scene) {
  meters.clear();
  for (int n = 0;; ++n) {
    QNVObject* meter = scene.getObjectByName("V" + std::to_string(n));
    if (meter == nullptr) break;
    if (n == mostMeters) {
      std::cout << "VolumMetersEffect: meters from V" << n << " on have no band and stay still" << std::endl;
      break;
    }
    meters.push_back(dynamic_cast<ScaleVolumMeterShader*>(meter->getShaderInstance()));
  }
}

void VolumMetersEffect::predraw(unsigned) {
  if (volumeters != nullptr) volumeters->setVisibleChilden(true);
}

void VolumMetersEffect::postdraw(unsigned) {
  if (volumeters != nullptr) volumeters->setVisibleChilden(false);
}

void VolumMetersEffect::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  readLevels(time);
  for (size_t k = 0; k < meters.size(); ++k) {
    ScaleVolumMeterShader* meter = meters[k];
    if (meter == nullptr) continue;
    float scale = meter->getScale();
    if (scale > restScale) {
      scale = std::max(restScale, static_cast<float>(scale - frameDelta * sinkPerMillisecond));
    }
    scale = std::max(scale, levels[3 * k]);
    meter->setScale(scale);
  }
}

// Peaks never fall: after a loud passage the meters stay relatively low.
void VolumMetersEffect::readLevels(unsigned time) {
  if (QNVDemosys::timer != nullptr) QNVDemosys::timer->GetDirectSoundData(Timer::LEFT, spectrumLength, values.data());
  const float size = volsize->getValue(time);
  for (int i = 0; i < spectrumLength; ++i) {
    peaks[i] = std::max(peaks[i], values[i]);
    levels[i] = values[i] / peaks[i] * size;
  }
}
