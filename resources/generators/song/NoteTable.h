// Equal-tempered pitch of MIDI note numbers (A4 = note 69 = 440 Hz) and the note names the
// composition is written in ("C4", "F#3", "Bb2"). No dependencies.
#pragma once

#include <string>

class NoteTable {
 public:
  static constexpr int NOTE_COUNT = 128;

  // Frequency in Hz of a note in [0, NOTE_COUNT); notes outside are clamped.
  static double frequency(int note);
  // MIDI number of a name: letter A-G, optional '#' or 'b', octave -1..9; -1 when the
  // text is not a note name or names a note outside [0, NOTE_COUNT).
  static int parse(const std::string& name);
};
