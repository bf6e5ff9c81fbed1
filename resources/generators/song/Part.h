// One instrument's line through the whole song: its notes at absolute rows, its mixer
// settings and a gain automation for fades. Placing an invalid pattern keeps the part
// invalid with the pattern's reason. Depends on: Instrument, Pattern, Automation,
// ChannelSettings.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "resources/generators/song/Automation.h"
#include "resources/generators/song/ChannelSettings.h"
#include "resources/generators/song/Instrument.h"
#include "resources/generators/song/Pattern.h"

class Part {
 public:
  Part(std::string name, std::unique_ptr<Instrument> instrument, const ChannelSettings& settings);

  // The pattern `repeats` times in a row from bar `bar` on.
  Part& place(const Pattern& pattern, int bar, int repeats = 1);

  const std::string& getName() const { return name; }
  const Instrument& getInstrument() const { return *instrument; }
  const ChannelSettings& getSettings() const { return settings; }
  const std::vector<NoteEvent>& getEvents() const { return events; }
  Automation& gain() { return gainCurve; }
  const Automation& gain() const { return gainCurve; }
  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return message; }

 private:
  std::string name;
  std::unique_ptr<Instrument> instrument;
  ChannelSettings settings;
  std::vector<NoteEvent> events;
  Automation gainCurve;
  bool valid = true;
  std::string message;
};
