#include "demosys/timeline/TrackInterpolate.h"

#include <cmath>
#include <iterator>

#include "demosys/timeline/TrackSystem.h"

namespace {
const double PI = 3.141592653589793;
}

TrackInterpolate::TrackInterpolate(const std::string& name)
    : name(name), indexRevision(~uint64_t(0)), lastRight(0) {}

float TrackInterpolate::segmentPosition(const TrackKeyFrameInterpolate& left,
                                        const TrackKeyFrameInterpolate& right, float rowPosition) {
  unsigned rows = right.row - left.row;
  return (rowPosition - static_cast<float>(left.row)) / static_cast<float>(rows);
}

float TrackInterpolate::linear(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                               float rowPosition) {
  float t = segmentPosition(left, right, rowPosition);
  return left.value + t * (right.value - left.value);
}

float TrackInterpolate::cosine(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                               float rowPosition, bool out) {
  float t = segmentPosition(left, right, rowPosition);
  float shape = out ? static_cast<float>(std::cos((1.0f - t) * PI * 0.5))
                    : 1.0f - static_cast<float>(std::cos(t * PI * 0.5));
  return left.value + (right.value - left.value) * shape;
}

float TrackInterpolate::step(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate&, float) {
  return left.value;
}

float TrackInterpolate::ramp(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                             float rowPosition) {
  float t = segmentPosition(left, right, rowPosition);
  return left.value + t * t * (right.value - left.value);
}

float TrackInterpolate::blend(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                              float rowPosition) {
  switch (left.interpolation) {
    case TrackKeyFrameInterpolate::COSINE_OUT:
      return cosine(left, right, rowPosition, true);
    case TrackKeyFrameInterpolate::COSINE_IN:
      return cosine(left, right, rowPosition, false);
    case TrackKeyFrameInterpolate::STEP:
      return step(left, right, rowPosition);
    case TrackKeyFrameInterpolate::RAMP:
      return ramp(left, right, rowPosition);
    default:
      return linear(left, right, rowPosition);
  }
}

void TrackInterpolate::refreshIndex() const {
  if (indexRevision == getRevision()) return;
  indexRows.clear();
  indexKeys.clear();
  for (const auto& entry : keyframes) {
    indexRows.push_back(entry.first);
    indexKeys.push_back(static_cast<const TrackKeyFrameInterpolate*>(entry.second.get()));
  }
  indexRevision = getRevision();
  lastRight = 0;
}

bool TrackInterpolate::brackets(size_t right, unsigned row) const {
  return (right == indexRows.size() || indexRows[right] > row) && (right == 0 || indexRows[right - 1] <= row);
}

size_t TrackInterpolate::upperBound(unsigned row) const {
  // Halving without a data-dependent branch: at random times a branching search mispredicts at
  // almost every step, which costs more than the comparisons themselves.
  const unsigned* rows = indexRows.data();
  size_t low = 0;
  for (size_t n = indexRows.size(); n > 1; n -= n / 2) {
    low = rows[low + n / 2] <= row ? low + n / 2 : low;
  }
  return low + (rows[low] <= row ? 1 : 0);
}

size_t TrackInterpolate::findRight(unsigned row) const {
  size_t right = lastRight;
  if (!brackets(right, row)) {
    if (right < indexRows.size() && brackets(right + 1, row)) {
      ++right;
    } else {
      right = upperBound(row);
    }
  }
  lastRight = right;
  return right;
}

float TrackInterpolate::getValue(unsigned time) const {
  if (keyframes.empty()) return 0.0f;
  refreshIndex();
  unsigned rowRate = static_cast<unsigned>(TrackSystem::currentRowRate());
  unsigned row = (rowRate * time) / 1000;
  size_t right = findRight(row);
  if (right == 0) return indexKeys.front()->value;
  const TrackKeyFrameInterpolate& left = *indexKeys[right - 1];
  if (right == indexKeys.size()) return left.value;
  float rowPosition = static_cast<float>(time) / (1000.0f / static_cast<float>(rowRate));
  return blend(left, *indexKeys[right], rowPosition);
}

TrackKeyFrameInterpolate* TrackInterpolate::getClosestKeyframe(unsigned row) const {
  auto next = keyframes.upper_bound(row);
  if (next == keyframes.end() || next == keyframes.begin()) return nullptr;
  return static_cast<TrackKeyFrameInterpolate*>(std::prev(next)->second.get());
}

void TrackInterpolate::deleteKeyframe(unsigned row) {
  auto it = firstAtOrAfter(row);
  if (it == keyframes.end()) return;
  if (it->first != row) {
    if (it == keyframes.begin()) return;
    --it;
  }
  keyframes.erase(it);
  keyframesChanged();
}

void TrackInterpolate::getKeyFrameRange(unsigned first, unsigned last,
                                        std::vector<TrackKeyFrame*>& out) const {
  auto it = firstAtOrAfter(first);
  if (it == keyframes.end()) return;
  if (it->first > first && it != keyframes.begin()) out.push_back(std::prev(it)->second.get());
  for (; it != keyframes.end() && it->first <= last; ++it) out.push_back(it->second.get());
  if (it != keyframes.end()) out.push_back(it->second.get());
}
