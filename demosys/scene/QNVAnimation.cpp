// QNVAnimation: key bracketing and the two interpolations.
#include "demosys/scene/QNVAnimation.h"

#include <iterator>

void QNVAnimation::init() {
  if (translations.empty()) return;
  startTime = 0;
  endTime = translations.rbegin()->first;
}

// Seconds to milliseconds, negative times clamped to 0 and huge ones to the last representable key.
static unsigned toMilliseconds(float t) {
  const double ms = static_cast<double>(t) * 1000.0;
  if (!(ms > 0.0)) return 0;
  if (ms >= 4294967295.0) return 4294967295u;
  return static_cast<unsigned>(ms);
}

Vector3f QNVAnimation::evaluate(const KeyMap& keys, float t) const {
  const unsigned ms = toMilliseconds(t);
  if (interpolation == LINEAR) return linear(keys, ms);
  if (interpolation == CATMULL_ROM) return catmull(keys, ms);
  return Vector3f();
}

namespace {

// The segment holding ms: next is the first key after ms. Returns false (with the end value in
// edge) when ms lies before the first key or at/after the last one.
bool bracket(const QNVAnimation::KeyMap& keys, unsigned ms, QNVAnimation::KeyMap::const_iterator& prev,
             QNVAnimation::KeyMap::const_iterator& next, Vector3f& edge, float& u) {
  if (keys.empty()) return false;
  next = keys.upper_bound(ms);
  if (next == keys.begin()) {
    edge = next->second;
    return false;
  }
  if (next == keys.end()) {
    edge = keys.rbegin()->second;
    return false;
  }
  prev = std::prev(next);
  u = static_cast<float>(ms - prev->first) / static_cast<float>(next->first - prev->first);
  return true;
}

}  // namespace

Vector3f QNVAnimation::linear(const KeyMap& keys, unsigned ms) {
  KeyMap::const_iterator prev, next;
  Vector3f edge;
  float u = 0.0f;
  if (!bracket(keys, ms, prev, next, edge, u)) return edge;
  return prev->second + (next->second - prev->second) * u;
}

Vector3f QNVAnimation::catmull(const KeyMap& keys, unsigned ms) {
  KeyMap::const_iterator prev, next;
  Vector3f edge;
  float u = 0.0f;
  if (!bracket(keys, ms, prev, next, edge, u)) return edge;
  const Vector3f& p0 = prev == keys.begin() ? prev->second : std::prev(prev)->second;
  const Vector3f& p1 = prev->second;
  const Vector3f& p2 = next->second;
  const Vector3f& p3 = std::next(next) == keys.end() ? next->second : std::next(next)->second;
  const float u2 = u * u;
  const float u3 = u2 * u;
  return 0.5f * ((-u3 + 2 * u2 - u) * p0 + (3 * u3 - 5 * u2 + 2) * p1 + (-3 * u3 + 4 * u2 + u) * p2 +
                 (u3 - u2) * p3);
}
