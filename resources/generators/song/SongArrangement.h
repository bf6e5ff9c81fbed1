// The song as a whole: its length in bars, the named sections the timeline is cut to, the
// parts with their notes, and the master gain (the final fade). Depends on: Part,
// Automation, SongClock.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "resources/generators/song/Automation.h"
#include "resources/generators/song/Part.h"

class SongArrangement {
 public:
  struct Section {
    std::string name;
    int firstBar;
    int bars;
  };

  explicit SongArrangement(int bars);

  void addSection(const std::string& name, int firstBar, int bars);
  Part& addPart(const std::string& name, std::unique_ptr<Instrument> instrument,
                const ChannelSettings& settings);

  const Part* findPart(const std::string& name) const;
  const Section* sectionAt(int bar) const;
  const std::vector<std::unique_ptr<Part>>& getParts() const { return parts; }
  const std::vector<Section>& getSections() const { return sections; }
  Automation& master() { return masterGain; }
  const Automation& master() const { return masterGain; }
  int getBars() const { return bars; }
  int64_t getFrames() const;

  // Valid when every part is and the sections tile the song without gap or overlap.
  bool isValid() const;
  std::string getErrorMessage() const;
  // One line per section: bars, seconds and the parts that play in it.
  std::string describe() const;

 private:
  std::string sectionError() const;
  std::string partsIn(const Section& section) const;

  int bars;
  std::vector<Section> sections;
  std::vector<std::unique_ptr<Part>> parts;
  Automation masterGain;
};
