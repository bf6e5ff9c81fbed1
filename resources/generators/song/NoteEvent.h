// One note on the song's row grid: where it starts, how many rows its key is held, which
// MIDI note (drums use it to pick a sound) and how hard it is played (0 to 1).
#pragma once

struct NoteEvent {
  int row = 0;
  int lengthRows = 1;
  int note = 0;
  float velocity = 1.0f;
};
