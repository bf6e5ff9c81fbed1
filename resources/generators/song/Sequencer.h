// Turns a part's notes into samples: every note that sounds inside a window of frames is
// rendered whole by the part's instrument and its overlap with the window added, then the
// part's gain automation is applied. Windows can start anywhere, so a single bar renders
// without the song before it. Depends on: Part, SongClock.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generators/song/Part.h"

class Sequencer {
 public:
  // `out` becomes `frames` mono samples of the part from frame `firstFrame` of the song.
  void render(const Part& part, int64_t firstFrame, std::size_t frames, std::vector<float>& out);

 private:
  static uint32_t seedFor(const Part& part, const NoteEvent& note);
  void addNote(const Part& part, const NoteEvent& note, int64_t firstFrame, std::vector<float>& out);
  static void applyGain(const Part& part, int64_t firstFrame, std::vector<float>& out);

  std::vector<float> scratch;
};
