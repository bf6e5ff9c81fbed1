#include "demosys/timeline/Track.h"

#include <iostream>
#include <iterator>

Track::Track() : revision(0) {}

Track::~Track() = default;

void Track::store(std::unique_ptr<TrackKeyFrame> keyframe) {
  unsigned row = keyframe->row;
  keyframes[row] = std::move(keyframe);
  keyframesChanged();
}

void Track::addKeyframe(TrackKeyFrame* keyframe) {
  auto it = keyframes.find(keyframe->row);
  if (it != keyframes.end() && it->second.get() == keyframe) return;
  store(std::unique_ptr<TrackKeyFrame>(keyframe));
}

void Track::takeKeyframesFrom(Track& other) {
  if (&other == this) return;
  keyframes = std::move(other.keyframes);
  other.keyframes.clear();
  keyframesChanged();
  other.keyframesChanged();
}

void Track::insertInterval(TrackKeyFrame* start, TrackKeyFrame* stop) {
  addKeyframe(start);
  addKeyframe(stop);
}

void Track::deleteInterval(unsigned row) {
  auto it = firstAtOrAfter(row);
  if (it == keyframes.end()) return;
  KeyFrameMap::const_iterator start, stop;
  if (it->second->isStart()) {
    if (it->first != row) return;
    start = it;
    stop = std::next(it);
  } else {
    if (it == keyframes.begin()) return;
    start = std::prev(it);
    stop = it;
  }
  auto end = stop == keyframes.end() ? stop : std::next(stop);
  keyframes.erase(start, end);
  keyframesChanged();
}

void Track::moveRow(unsigned from, unsigned to) {
  if (from == to) return;
  auto it = keyframes.find(from);
  if (it == keyframes.end()) return;
  std::unique_ptr<TrackKeyFrame> keyframe = std::move(it->second);
  keyframes.erase(it);
  keyframe->row = to;
  store(std::move(keyframe));
  std::cout << "Moved row from " << from << " to " << to << std::endl;
}

TrackKeyFrame* Track::getKeyframe(unsigned row) const {
  auto it = keyframes.find(row);
  return it == keyframes.end() ? nullptr : it->second.get();
}

bool Track::rowExists(unsigned row) const { return keyframes.count(row) != 0; }

bool Track::rowIsStartKeyFrame(unsigned row) const {
  TrackKeyFrame* keyframe = getKeyframe(row);
  return keyframe && keyframe->isStart();
}

int64_t Track::nextKeyframe(unsigned row) const {
  auto it = keyframes.upper_bound(row);
  return it == keyframes.end() ? -1 : static_cast<int64_t>(it->first);
}

int64_t Track::prevKeyframe(unsigned row) const {
  auto it = firstAtOrAfter(row);
  return it == keyframes.begin() ? -1 : static_cast<int64_t>(std::prev(it)->first);
}

bool Track::insideInterval(unsigned row) const {
  if (rowExists(row)) return true;
  auto next = keyframes.upper_bound(row);
  return next != keyframes.end() && !next->second->isStart();
}

bool Track::isActive(unsigned, unsigned row) const {
  auto it = firstAtOrAfter(row);
  if (it == keyframes.end()) return false;
  return !it->second->isStart() || it->first == row;
}

bool Track::rangeEmpty(unsigned first, unsigned last) const {
  auto it = firstAtOrAfter(first);
  return it == keyframes.end() || it->first > last;
}

void Track::fetchKeyFrameVector(std::vector<TrackKeyFrame*>& out) const {
  for (const auto& entry : keyframes) out.push_back(entry.second.get());
}

void Track::getKeyFrameRange(unsigned first, unsigned last, std::vector<TrackKeyFrame*>& out) const {
  auto it = firstAtOrAfter(first);
  if (it == keyframes.end()) return;
  if (!it->second->isStart() && it != keyframes.begin()) --it;
  for (; it != keyframes.end() && it->first <= last; ++it) out.push_back(it->second.get());
  if (it != keyframes.end() && !it->second->isStart()) out.push_back(it->second.get());
}

bool Track::validateKeyframes() const {
  bool expectStart = true;
  for (const auto& entry : keyframes) {
    const TrackKeyFrame& keyframe = *entry.second;
    int expected = expectStart ? TrackKeyFrame::START : TrackKeyFrame::STOP;
    if (keyframe.type != expected) {
      std::cout << "--> row = " << entry.first << ", row=" << keyframe.row << ", type = " << keyframe.type
                << std::endl;
      std::cout << "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A "
                << (expectStart ? "START" : "STOP") << " KEYFRAME!" << std::endl;
      return false;
    }
    expectStart = !expectStart;
  }
  return true;
}
