// A few bars of notes on the 16-rows-per-bar grid, written as text so the composition reads
// like a tracker: drum lines one character per row ("x..." hits, "o" soft hits), melodies
// one token per row ("E5 - - . A4", "-" holds, "." rests, "|" marks a bar line). A text
// that does not parse leaves the pattern invalid with the reason. Depends on: NoteEvent,
// NoteTable, SongClock.
#pragma once

#include <string>
#include <vector>

#include "resources/generators/song/NoteEvent.h"

class Pattern {
 public:
  static constexpr float SOFT = 0.55f;

  explicit Pattern(int bars = 1);

  static Pattern steps(const std::string& grid, int note, float velocity = 1.0f);
  static Pattern melody(const std::string& text, float velocity = 1.0f);

  Pattern& add(int row, int lengthRows, int note, float velocity);
  // The bars of `next` follow this pattern's bars.
  Pattern& append(const Pattern& next);
  Pattern transposed(int semitones) const;

  int getBars() const { return bars; }
  const std::vector<NoteEvent>& getEvents() const { return events; }
  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return message; }

 private:
  static int barsForRows(int rows);
  void fail(const std::string& text);
  bool readMelodyToken(const std::string& token, int row, float velocity);

  int bars;
  std::vector<NoteEvent> events;
  bool valid = true;
  std::string message;
};
