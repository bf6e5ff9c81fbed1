// All tracks of one effect instance: the start/stop track that decides when
// and where the effect draws, and its named interpolation tracks. The group
// owns its tracks; it only points at its effect.
// Depends on: TrackStartStop, TrackInterpolate, Effect (pointer only).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demosys/timeline/TrackInterpolate.h"
#include "demosys/timeline/TrackStartStop.h"

class Effect;

class TrackGroup {
 public:
  explicit TrackGroup(const std::string& name);
  ~TrackGroup();
  TrackGroup(const TrackGroup&) = delete;
  TrackGroup& operator=(const TrackGroup&) = delete;

  // Takes ownership; a previous start/stop track is deleted.
  void setStartStopTrack(TrackStartStop* track);
  TrackStartStop* getStartStopTrack() const { return startStopTrack.get(); }
  // Takes ownership. A same-named track is shadowed in the name lookup but stays in the list.
  void addInterpolateTrack(TrackInterpolate* track);
  // Null when index is out of range.
  TrackInterpolate* getInterpolateTrack(int index) const;
  int getInterpolateTrackCount() const { return static_cast<int>(interpolateTracks.size()); }
  TrackInterpolate* getInterpolateTrackByName(const std::string& trackName) const;
  // The keyframes of other's tracks move into this group's same-named tracks (other's start/stop
  // track with its priority replaces this one); a track other lacks is emptied. The interpolation
  // track objects stay, as the effect holds them; null other empties every track.
  void takeTracksFrom(TrackGroup* other);

  const std::string& getName() const { return name; }
  void setEffect(Effect* e) { effect = e; }
  Effect* getEffect() const { return effect; }

  // False without a start/stop track.
  bool isActive(unsigned time, unsigned row) const;
  // Milliseconds since the start of the interval that row lies in (0 before it).
  unsigned getLocalTime(unsigned row, unsigned time) const;

 private:
  std::unique_ptr<TrackStartStop> startStopTrack;
  std::map<std::string, TrackInterpolate*> interpolateTracksByName;
  std::vector<std::unique_ptr<TrackInterpolate>> interpolateTracks;
  std::string name;
  Effect* effect;
};
