// Renders an arrangement, or a window of bars of it, to 44.1 kHz interleaved stereo: each
// part through the sequencer, the mixer over all parts, then the master gain. The master
// gain comes after the limiter, so a fade never pushes anything past the ceiling.
// Depends on: SongArrangement, Sequencer, Mixer, SongClock.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generators/song/SongArrangement.h"

class SongRenderer {
 public:
  explicit SongRenderer(const SongArrangement& arrangement);

  std::vector<float> renderSong() const;
  // Bars [firstBar, firstBar + bars), clipped to the song. Echo and limiter start afresh at
  // the window, so a window's first moments may differ slightly from the whole song's.
  std::vector<float> renderBars(int firstBar, int bars) const;

 private:
  std::vector<float> renderFrames(int64_t firstFrame, std::size_t frames) const;
  void applyMaster(int64_t firstFrame, std::vector<float>& stereo) const;

  const SongArrangement& arrangement;
};
