#include "demosys/timeline/TrackGroup.h"

#include "demosys/timeline/TrackSystem.h"

TrackGroup::TrackGroup(const std::string& name) : name(name), effect(nullptr) {}

TrackGroup::~TrackGroup() = default;

void TrackGroup::setStartStopTrack(TrackStartStop* track) {
  if (track != startStopTrack.get()) startStopTrack.reset(track);
}

void TrackGroup::addInterpolateTrack(TrackInterpolate* track) {
  if (getInterpolateTrackByName(track->getName()) == track) return;
  interpolateTracksByName[track->getName()] = track;
  interpolateTracks.emplace_back(track);
}

TrackInterpolate* TrackGroup::getInterpolateTrack(int index) const {
  if (index < 0 || index >= getInterpolateTrackCount()) return nullptr;
  return interpolateTracks[index].get();
}

TrackInterpolate* TrackGroup::getInterpolateTrackByName(const std::string& trackName) const {
  auto it = interpolateTracksByName.find(trackName);
  return it == interpolateTracksByName.end() ? nullptr : it->second;
}

void TrackGroup::takeTracksFrom(TrackGroup* other) {
  if (other == this) return;
  if (other != nullptr) {
    startStopTrack = std::move(other->startStopTrack);
    other->startStopTrack = std::make_unique<TrackStartStop>(-1);
  } else {
    startStopTrack = std::make_unique<TrackStartStop>(-1);
  }
  for (const auto& track : interpolateTracks) {
    TrackInterpolate* source = other ? other->getInterpolateTrackByName(track->getName()) : nullptr;
    TrackInterpolate empty(track->getName());
    track->takeKeyframesFrom(source ? *source : empty);
  }
}

bool TrackGroup::isActive(unsigned time, unsigned row) const {
  return startStopTrack && startStopTrack->isActive(time, row);
}

unsigned TrackGroup::getLocalTime(unsigned row, unsigned time) const {
  if (!startStopTrack) return 0;
  unsigned startRow = startStopTrack->getStartRow(row);
  unsigned startTime = startRow * (1000 / static_cast<unsigned>(TrackSystem::currentRowRate()));
  return time > startTime ? time - startTime : 0;
}
