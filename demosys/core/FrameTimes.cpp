// FrameTimes: nearest-rank percentiles over a sorted copy, made only when asked.
#include "demosys/core/FrameTimes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

FrameTimes::FrameTimes(std::size_t frames) { costs.reserve(frames); }

void FrameTimes::add(double milliseconds, unsigned demoTime) {
  if (costs.empty() || milliseconds > slowestCost) {
    slowestCost = milliseconds;
    slowestTime = demoTime;
  }
  costs.push_back(milliseconds);
}

double FrameTimes::percentile(double share) const {
  if (costs.empty()) return 0.0;
  std::vector<double> sorted(costs);
  std::sort(sorted.begin(), sorted.end());
  std::size_t rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[std::min(sorted.size(), std::max<std::size_t>(rank, 1)) - 1];
}

double FrameTimes::median() const { return percentile(0.5); }

double FrameTimes::worstPercent() const { return percentile(0.99); }

double FrameTimes::slowest() const { return costs.empty() ? 0.0 : slowestCost; }

// The slowest frame's time is written m:ss:mmm, so it can be handed back to `render --at`.
std::string FrameTimes::summary() const {
  char text[160];
  std::snprintf(text, sizeof text,
                "Frame time : median %.1f ms, worst 1 %% %.1f ms, slowest %.1f ms at %u:%02u:%03u (%zu frames)",
                median(), worstPercent(), slowest(), slowestTime / 60000, slowestTime / 1000 % 60,
                slowestTime % 1000, costs.size());
  return text;
}
