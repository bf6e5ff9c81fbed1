#include "resources/generators/song/Part.h"

#include <utility>

#include "resources/generators/song/SongClock.h"

Part::Part(std::string name, std::unique_ptr<Instrument> instrument, const ChannelSettings& settings)
    : name(std::move(name)), instrument(std::move(instrument)), settings(settings) {}

Part& Part::place(const Pattern& pattern, int bar, int repeats) {
  if (!pattern.isValid() && valid) {
    valid = false;
    message = "Part '" + name + "', bar " + std::to_string(bar) + ": " + pattern.getErrorMessage();
  }
  for (int repeat = 0; repeat < repeats; ++repeat) {
    int firstRow = (bar + repeat * pattern.getBars()) * SongClock::ROWS_PER_BAR;
    for (NoteEvent event : pattern.getEvents()) {
      event.row += firstRow;
      events.push_back(event);
    }
  }
  return *this;
}
