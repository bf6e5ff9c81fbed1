// Frame-time statistics of a run: each frame's cost in milliseconds with the demo time it showed,
// summarised as the median, the worst 1 percent (the 99th percentile) and the slowest frame. The
// capture tool reports them so a demo maker sees which part of the timeline is heavy.
// Depends on: nothing beyond the standard library.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class FrameTimes {
 public:
  // Room for frames recorded without allocating while the demo runs.
  explicit FrameTimes(std::size_t frames);

  void add(double milliseconds, unsigned demoTime);
  std::size_t size() const { return costs.size(); }
  // 0 for an empty record.
  double median() const;
  double worstPercent() const;
  double slowest() const;
  unsigned slowestAt() const { return slowestTime; }
  // "Frame time : median M ms, worst 1 % W ms, slowest S ms at m:ss:mmm (N frames)".
  std::string summary() const;

 private:
  // The value below which the given share of the frames lies (nearest rank).
  double percentile(double share) const;

  std::vector<double> costs;
  double slowestCost = 0.0;
  unsigned slowestTime = 0;
};
