#include "resources/generators/song/NoteTable.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

std::array<double, NoteTable::NOTE_COUNT> makeTable() {
  std::array<double, NoteTable::NOTE_COUNT> table{};
  for (int note = 0; note < NoteTable::NOTE_COUNT; ++note)
    table[note] = 440.0 * std::pow(2.0, (note - 69) / 12.0);
  return table;
}

// Semitones above C of the letters A..G.
const int LETTER_OFFSETS[7] = {9, 11, 0, 2, 4, 5, 7};

}  // namespace

double NoteTable::frequency(int note) {
  static const std::array<double, NOTE_COUNT> table = makeTable();
  if (note < 0) note = 0;
  if (note >= NOTE_COUNT) note = NOTE_COUNT - 1;
  return table[note];
}

int NoteTable::parse(const std::string& name) {
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int semitone = LETTER_OFFSETS[name[0] - 'A'];
  std::size_t pos = 1;
  if (name[pos] == '#' || name[pos] == 'b') {
    semitone += name[pos] == '#' ? 1 : -1;
    ++pos;
  }
  std::string octaveText = name.substr(pos);
  if (octaveText.empty() || octaveText.size() > 2) return -1;
  if (octaveText.size() == 2 && octaveText[0] != '-') return -1;
  char digit = octaveText.back();
  if (digit < '0' || digit > '9') return -1;
  int octave = octaveText.size() == 2 ? -(digit - '0') : digit - '0';
  int note = (octave + 1) * 12 + semitone;
  return note >= 0 && note < NOTE_COUNT ? note : -1;
}
