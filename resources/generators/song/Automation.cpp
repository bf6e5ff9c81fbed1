#include "resources/generators/song/Automation.h"

#include <algorithm>

Automation::Automation(float initial) : initial(initial) {}

Automation& Automation::point(double seconds, float value) {
  auto later =
      std::upper_bound(points.begin(), points.end(), seconds,
                       [](double time, const std::pair<double, float>& p) { return time < p.first; });
  points.insert(later, {seconds, value});
  return *this;
}

float Automation::valueAt(double seconds) const {
  if (points.empty()) return initial;
  auto next = std::upper_bound(points.begin(), points.end(), seconds,
                               [](double time, const std::pair<double, float>& p) { return time < p.first; });
  if (next == points.begin()) return points.front().second;
  if (next == points.end()) return points.back().second;
  const auto& before = *(next - 1);
  double progress = (seconds - before.first) / (next->first - before.first);
  return static_cast<float>(before.second + (next->second - before.second) * progress);
}
