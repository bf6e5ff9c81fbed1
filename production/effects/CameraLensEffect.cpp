#include "production/effects/CameraLensEffect.h"

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

Effect* CameraLensEffect::getInstance() { return new CameraLensEffect(); }

void CameraLensEffect::registerTracks() { addTrackName("track_fov"); }

void CameraLensEffect::init() {
  EffectResources look(*this);
  fov = look.track("track_fov");
  look.complete();
}

void CameraLensEffect::predraw(unsigned time) {
  if (fov != nullptr && QNVDemosys::screenMetrics != nullptr)
    QNVDemosys::screenMetrics->fov = fov->getValue(time);
}

void CameraLensEffect::draw(unsigned, unsigned) {}

void CameraLensEffect::postdraw(unsigned) {}

void CameraLensEffect::reset() {}
