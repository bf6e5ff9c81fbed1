// Test helper: compares a rendered frame with its reference picture, allowing the small
// differences rasterisers make (a per-channel tolerance and a small share of pixels beyond it).
// When they differ too much it writes a diff picture (the frame dimmed, red where a pixel is
// beyond the tolerance) and names it in the message.
// Depends on: Image (DevIL decoding), GLTestFixture (writePNG).
#pragma once

#include <string>

struct GoldenComparison {
  bool matches = false;
  long differing = 0;  // pixels with a channel beyond the tolerance
  long total = 0;
  // Why the frame does not match (empty when it does).
  std::string message;
};

class GoldenImage {
 public:
  static constexpr int defaultTolerance = 8;
  static constexpr double defaultAllowance = 0.005;

  explicit GoldenImage(int channelTolerance = defaultTolerance, double allowedShare = defaultAllowance)
      : tolerance(channelTolerance), allowance(allowedShare) {}

  // Compares the PNG files frame and reference; on a mismatch of same-sized pictures the diff
  // picture goes to diffPath.
  GoldenComparison compare(const std::string& frame, const std::string& reference,
                           const std::string& diffPath) const;

 private:
  int tolerance;
  double allowance;
};
