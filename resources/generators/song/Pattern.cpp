#include "resources/generators/song/Pattern.h"

#include <sstream>

#include "resources/generators/song/NoteTable.h"
#include "resources/generators/song/SongClock.h"

Pattern::Pattern(int bars) : bars(bars) {}

int Pattern::barsForRows(int rows) {
  int whole = (rows + SongClock::ROWS_PER_BAR - 1) / SongClock::ROWS_PER_BAR;
  return whole > 0 ? whole : 1;
}

void Pattern::fail(const std::string& text) {
  if (!valid) return;
  valid = false;
  message = text;
}

Pattern& Pattern::add(int row, int lengthRows, int note, float velocity) {
  events.push_back({row, lengthRows, note, velocity});
  return *this;
}

Pattern Pattern::steps(const std::string& grid, int note, float velocity) {
  Pattern pattern(barsForRows(static_cast<int>(grid.size())));
  for (std::size_t row = 0; row < grid.size(); ++row) {
    char step = grid[row];
    if (step == 'x' || step == 'o')
      pattern.add(static_cast<int>(row), 1, note, step == 'x' ? velocity : velocity * SOFT);
    else if (step != '.')
      pattern.fail("Unknown step '" + std::string(1, step) + "' at row " + std::to_string(row) + "\n");
  }
  return pattern;
}

Pattern Pattern::melody(const std::string& text, float velocity) {
  Pattern pattern;
  std::istringstream tokens(text);
  std::string token;
  int row = 0;
  while (tokens >> token) {
    if (token == "|") {
      if (row % SongClock::ROWS_PER_BAR != 0) pattern.fail("Bar line at row " + std::to_string(row) + "\n");
      continue;
    }
    if (!pattern.readMelodyToken(token, row, velocity)) break;
    ++row;
  }
  pattern.bars = barsForRows(row);
  return pattern;
}

bool Pattern::readMelodyToken(const std::string& token, int row, float velocity) {
  if (token == ".") return true;
  if (token == "-") {
    if (events.empty() || events.back().row + events.back().lengthRows != row) {
      fail("Hold without a note at row " + std::to_string(row) + "\n");
      return false;
    }
    ++events.back().lengthRows;
    return true;
  }
  int note = NoteTable::parse(token);
  if (note < 0) {
    fail("Unknown note '" + token + "' at row " + std::to_string(row) + "\n");
    return false;
  }
  add(row, 1, note, velocity);
  return true;
}

Pattern& Pattern::append(const Pattern& next) {
  int offset = bars * SongClock::ROWS_PER_BAR;
  for (NoteEvent event : next.events) {
    event.row += offset;
    events.push_back(event);
  }
  bars += next.bars;
  if (!next.valid) fail(next.message);
  return *this;
}

Pattern Pattern::transposed(int semitones) const {
  Pattern copy(*this);
  for (NoteEvent& event : copy.events) event.note += semitones;
  return copy;
}
