#include "demosys/effect/Effect.h"

#include <iostream>

#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackInterpolate.h"

Effect::Effect() : parameters(nullptr), renderTarget(nullptr), trackGroup(nullptr) {}

Effect::~Effect() = default;

void Effect::predraw(unsigned) {}

void Effect::draw(unsigned, unsigned) {
  std::cout << "Fallback draw method! This should never happen!" << std::endl;
}

void Effect::postdraw(unsigned) {}

void Effect::init() {}

void Effect::reset() {}

void Effect::musicEvent() {
  std::cout << "Fallback music event method called! This should never happen!" << std::endl;
}

Effect* Effect::getInstance() { return new Effect(); }

void Effect::registerTracks() {}

std::string Effect::getTrackName(int i) const {
  if (i < 0 || i >= getTrackCount()) return "";
  return trackNames[i];
}

TrackInterpolate* Effect::getTrack(const std::string& name) {
  if (trackGroup) return trackGroup->getInterpolateTrackByName(name);
  if (!standbyTracks) standbyTracks = std::make_unique<TrackGroup>("standby");
  TrackInterpolate* track = standbyTracks->getInterpolateTrackByName(name);
  if (!track) {
    track = new TrackInterpolate(name);
    standbyTracks->addInterpolateTrack(track);
  }
  return track;
}
