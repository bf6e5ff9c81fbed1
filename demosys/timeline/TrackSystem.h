// The timeline's conductor: one track group per effect instance, kept in
// drawing order by priority. Every frame it selects the groups active at the
// current row and runs their effects' predraw, draw and postdraw passes in
// that order, binding each draw's render target. It also holds the row rate
// that converts between demo time and rows for the whole program.
// Depends on: TrackGroup, Effect, FrameBufferObject (bind/release/setClearFlag only), QNVDemosys.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demosys/timeline/TrackGroup.h"

class DataFBOPool;

class TrackSystem {
 public:
  static constexpr int DEFAULT_ROW_RATE = 20;
  // 1000 / rowRate must not be 0: rows are whole milliseconds apart at most this rate.
  static constexpr int MAX_ROW_RATE = 1000;

  TrackSystem();
  ~TrackSystem();
  TrackSystem(const TrackSystem&) = delete;
  TrackSystem& operator=(const TrackSystem&) = delete;

  int getRowRate() const { return rowRate; }
  // Refuses (false, rate unchanged) a rate outside 1 to MAX_ROW_RATE, which would divide by zero
  // in the row arithmetic.
  bool setRowRate(int rate);
  static bool isValidRowRate(int rate);
  // The loader's message for a refused "rowrate" setting.
  static std::string rowRateError(int rate);
  // Row rate of QNVDemosys::tracks, DEFAULT_ROW_RATE while there is none.
  static int currentRowRate();

  // Takes ownership; a group already stored under the name is deleted. A group without a
  // start/stop track gets an empty one with priority -1 (never active).
  void addTrackGroup(TrackGroup* group);
  int size() const { return static_cast<int>(trackGroups.size()); }
  // Groups plus all their interpolation tracks: the entries of a track pack.
  int countAllTracks() const;
  // The index-th group in name order; null when out of range.
  TrackGroup* getTrackGroup(int index) const;
  TrackGroup* getTrackGroupByName(const std::string& name) const;
  TrackGroup* getSortedTrackGroup(int index) const;
  int getSortedTrackGroupCount() const { return static_cast<int>(sortedTrackGroups.size()); }

  // Rebuilds the drawing order from all groups (name order) and sorts it by priority.
  void createPrioritySystem();
  void sortPrioritySystem();
  // Renumbers priorities 0, 1, 2... in drawing order.
  void prioritySanityCheck();
  void swapTracks(int i, int j);
  void printPriority() const;

  // A timeline edited while the demo plays: every group takes the tracks of source's same-named
  // group (TrackGroup::takeTracksFrom), groups source lacks fall silent, source's other groups are
  // ignored. Start keyframes are pointed at the pool's framebuffers by name (the screen when the
  // pool lacks one) and the drawing order is rebuilt with priorities renumbered, as after loading.
  void takeTracksFrom(TrackSystem& source, const DataFBOPool* targets);

  bool validateStartStopTracks() const;
  bool validateInterpolateTracks() const { return true; }

  // Whether a group of that name was active in the last processed frame.
  bool isEffectActive(const std::string& name) const;
  int getActiveTrackGroupCount() const { return static_cast<int>(activeTrackGroups.size()); }
  TrackGroup* getActiveTrackGroup(int index) const;

  // Test data: 1000 alternating keyframes from rand(), each 1 to 10 rows after the previous.
  void fillTrack(TrackStartStop* track);

  // One frame of the timeline. Allocates nothing once the active list has grown to its size.
  void processSystem(unsigned time, unsigned row, unsigned frameTime);

 private:
  static int priorityOf(const TrackGroup* group) { return group->getStartStopTrack()->priority; }
  void selectActiveGroups(unsigned time, unsigned row);
  void drawGroup(const TrackGroup& group, unsigned time, unsigned row, unsigned frameTime);

  std::map<std::string, std::unique_ptr<TrackGroup>> trackGroups;
  std::vector<TrackGroup*> sortedTrackGroups;
  std::vector<TrackGroup*> activeTrackGroups;
  int rowRate;
};
