// A gain curve over song time: breakpoints joined by straight lines, flat before the first
// and after the last. Used for fades of single parts and of the whole mix. No dependencies.
#pragma once

#include <utility>
#include <vector>

class Automation {
 public:
  explicit Automation(float initial = 1.0f);

  // Points are kept in time order; two points at one time make a step (the later one
  // holds from that time on).
  Automation& point(double seconds, float value);
  float valueAt(double seconds) const;

 private:
  std::vector<std::pair<double, float>> points;
  float initial;
};
