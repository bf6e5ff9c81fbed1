// The song's fixed time grid: 44.1 kHz frames, 120 BPM with four rows per beat, so 8 rows
// per second (the demo's row rate) and 16 rows per 4/4 bar of 2 s. No dependencies.
#pragma once

#include <cstdint>

class SongClock {
 public:
  static constexpr int SAMPLE_RATE = 44100;
  static constexpr int ROWS_PER_SECOND = 8;
  static constexpr int ROWS_PER_BEAT = 4;
  static constexpr int ROWS_PER_BAR = 16;

  // First frame of a row (rows fall on half frames: 5512.5 frames each, rounded down).
  static int64_t frameOfRow(int64_t row) { return row * SAMPLE_RATE / ROWS_PER_SECOND; }
  static int64_t frameOfBar(int64_t bar) { return frameOfRow(bar * ROWS_PER_BAR); }
  static double secondsOfRows(double rows) { return rows / ROWS_PER_SECOND; }
  static int64_t framesOfSeconds(double seconds) { return static_cast<int64_t>(seconds * SAMPLE_RATE); }
};
