#include "demosys/timeline/TrackSystem.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <iterator>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/resources/DataFBOPool.h"

TrackSystem::TrackSystem() : rowRate(DEFAULT_ROW_RATE) {}

TrackSystem::~TrackSystem() = default;

bool TrackSystem::isValidRowRate(int rate) { return rate >= 1 && rate <= MAX_ROW_RATE; }

bool TrackSystem::setRowRate(int rate) {
  if (!isValidRowRate(rate)) return false;
  rowRate = rate;
  return true;
}

std::string TrackSystem::rowRateError(int rate) {
  return "Invalid row rate " + std::to_string(rate) + "\n" +
         "\"rowrate\" in the \"system\" block must be from 1 to " + std::to_string(MAX_ROW_RATE) + "\n";
}

int TrackSystem::currentRowRate() {
  return QNVDemosys::tracks ? QNVDemosys::tracks->getRowRate() : DEFAULT_ROW_RATE;
}

void TrackSystem::addTrackGroup(TrackGroup* group) {
  if (!group->getStartStopTrack()) group->setStartStopTrack(new TrackStartStop(-1));
  std::unique_ptr<TrackGroup>& slot = trackGroups[group->getName()];
  if (slot.get() == group) return;
  if (slot) {
    sortedTrackGroups.erase(std::remove(sortedTrackGroups.begin(), sortedTrackGroups.end(), slot.get()),
                            sortedTrackGroups.end());
    activeTrackGroups.clear();
  }
  slot.reset(group);
}

int TrackSystem::countAllTracks() const {
  int count = size();
  for (const auto& entry : trackGroups) count += entry.second->getInterpolateTrackCount();
  return count;
}

TrackGroup* TrackSystem::getTrackGroup(int index) const {
  if (index < 0 || index >= size()) return nullptr;
  return std::next(trackGroups.begin(), index)->second.get();
}

TrackGroup* TrackSystem::getTrackGroupByName(const std::string& name) const {
  auto it = trackGroups.find(name);
  return it == trackGroups.end() ? nullptr : it->second.get();
}

TrackGroup* TrackSystem::getSortedTrackGroup(int index) const {
  if (index < 0 || index >= getSortedTrackGroupCount()) return nullptr;
  return sortedTrackGroups[index];
}

TrackGroup* TrackSystem::getActiveTrackGroup(int index) const {
  if (index < 0 || index >= getActiveTrackGroupCount()) return nullptr;
  return activeTrackGroups[index];
}

void TrackSystem::createPrioritySystem() {
  sortedTrackGroups.clear();
  for (const auto& entry : trackGroups) sortedTrackGroups.push_back(entry.second.get());
  activeTrackGroups.reserve(sortedTrackGroups.size());
  sortPrioritySystem();
}

void TrackSystem::sortPrioritySystem() {
  // A selection sort on purpose: the order of equal priorities is part of the drawing order that
  // productions were authored against.
  for (size_t i = 0; i < sortedTrackGroups.size(); ++i) {
    size_t smallest = i;
    for (size_t j = i + 1; j < sortedTrackGroups.size(); ++j) {
      if (priorityOf(sortedTrackGroups[j]) < priorityOf(sortedTrackGroups[smallest])) smallest = j;
    }
    std::swap(sortedTrackGroups[i], sortedTrackGroups[smallest]);
  }
}

void TrackSystem::prioritySanityCheck() {
  for (size_t i = 0; i < sortedTrackGroups.size(); ++i) {
    sortedTrackGroups[i]->getStartStopTrack()->priority = static_cast<int>(i);
  }
}

void TrackSystem::swapTracks(int i, int j) {
  TrackGroup* first = getSortedTrackGroup(i);
  TrackGroup* second = getSortedTrackGroup(j);
  if (!first || !second) return;
  std::swap(sortedTrackGroups[i], sortedTrackGroups[j]);
  std::swap(first->getStartStopTrack()->priority, second->getStartStopTrack()->priority);
}

void TrackSystem::printPriority() const {
  for (const TrackGroup* group : sortedTrackGroups) {
    std::cout << "Priority " << priorityOf(group) << " = " << group->getName() << std::endl;
  }
}

bool TrackSystem::validateStartStopTracks() const {
  std::cout << "Validating StartStop track data." << std::endl;
  for (const TrackGroup* group : sortedTrackGroups) {
    if (!group->getStartStopTrack()->validateKeyframes()) {
      std::cout << "--> StartStop Track : " << group->getName() << " has keyframe mismatch" << std::endl;
      return false;
    }
  }
  return true;
}

bool TrackSystem::isEffectActive(const std::string& name) const {
  return std::any_of(activeTrackGroups.begin(), activeTrackGroups.end(),
                     [&name](const TrackGroup* group) { return group->getName() == name; });
}

void TrackSystem::fillTrack(TrackStartStop* track) {
  unsigned row = 0;
  for (int i = 0; i < 1000; ++i) {
    row += static_cast<unsigned>(std::rand() % 10) + 1;
    int type = i % 2 == 0 ? TrackKeyFrame::START : TrackKeyFrame::STOP;
    track->addKeyframe(new TrackStartStopKeyFrame(row, type));
  }
}

void TrackSystem::selectActiveGroups(unsigned time, unsigned row) {
  activeTrackGroups.clear();
  for (TrackGroup* group : sortedTrackGroups) {
    if (group->getEffect() && group->isActive(time, row)) activeTrackGroups.push_back(group);
  }
}

void TrackSystem::drawGroup(const TrackGroup& group, unsigned time, unsigned row, unsigned frameTime) {
  FrameBufferObject* target = group.getStartStopTrack()->getRenderTarget(row);
  // A target that failed to build is no target: the effect draws to the window, and the target
  // is neither released nor flagged for clearing (clearing it would clear the window).
  if (!target || !target->isValid()) {
    group.getEffect()->draw(time, frameTime);
    return;
  }
  target->bind();
  group.getEffect()->draw(time, frameTime);
  target->release();
  target->setClearFlag(true);
}

void TrackSystem::processSystem(unsigned time, unsigned row, unsigned frameTime) {
  selectActiveGroups(time, row);
  for (TrackGroup* group : activeTrackGroups) group->getEffect()->predraw(time);
  for (TrackGroup* group : activeTrackGroups) drawGroup(*group, time, row, frameTime);
  for (TrackGroup* group : activeTrackGroups) group->getEffect()->postdraw(time);
}

void TrackSystem::takeTracksFrom(TrackSystem& source, const DataFBOPool* targets) {
  activeTrackGroups.clear();
  for (const auto& entry : trackGroups) {
    entry.second->takeTracksFrom(source.getTrackGroupByName(entry.first));
    std::vector<TrackKeyFrame*> keyframes;
    entry.second->getStartStopTrack()->fetchKeyFrameVector(keyframes);
    for (TrackKeyFrame* keyframe : keyframes) {
      auto* startStop = static_cast<TrackStartStopKeyFrame*>(keyframe);
      const std::string& name = startStop->renderTargetName;
      startStop->renderTarget = targets && targets->exists(name) ? targets->getFBO(name) : nullptr;
    }
  }
  createPrioritySystem();
  prioritySanityCheck();
}
