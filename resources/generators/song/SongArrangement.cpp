#include "resources/generators/song/SongArrangement.h"

#include <cstdio>
#include <utility>

#include "resources/generators/song/SongClock.h"

SongArrangement::SongArrangement(int bars) : bars(bars) {}

void SongArrangement::addSection(const std::string& name, int firstBar, int count) {
  sections.push_back({name, firstBar, count});
}

Part& SongArrangement::addPart(const std::string& name, std::unique_ptr<Instrument> instrument,
                               const ChannelSettings& settings) {
  parts.push_back(std::make_unique<Part>(name, std::move(instrument), settings));
  return *parts.back();
}

const Part* SongArrangement::findPart(const std::string& name) const {
  for (const auto& part : parts)
    if (part->getName() == name) return part.get();
  return nullptr;
}

const SongArrangement::Section* SongArrangement::sectionAt(int bar) const {
  for (const Section& section : sections)
    if (bar >= section.firstBar && bar < section.firstBar + section.bars) return &section;
  return nullptr;
}

int64_t SongArrangement::getFrames() const { return SongClock::frameOfBar(bars); }

bool SongArrangement::isValid() const { return getErrorMessage().empty(); }

std::string SongArrangement::getErrorMessage() const {
  for (const auto& part : parts)
    if (!part->isValid()) return part->getErrorMessage();
  return sectionError();
}

std::string SongArrangement::sectionError() const {
  int expected = 0;
  for (const Section& section : sections) {
    if (section.firstBar != expected || section.bars <= 0)
      return "Section '" + section.name + "' does not start at bar " + std::to_string(expected) + "\n";
    expected += section.bars;
  }
  return expected == bars ? "" : "Sections end at bar " + std::to_string(expected) + "\n";
}

std::string SongArrangement::partsIn(const Section& section) const {
  std::string names;
  int firstRow = section.firstBar * SongClock::ROWS_PER_BAR;
  int endRow = (section.firstBar + section.bars) * SongClock::ROWS_PER_BAR;
  for (const auto& part : parts) {
    for (const NoteEvent& event : part->getEvents()) {
      if (event.row >= firstRow && event.row < endRow) {
        names += (names.empty() ? "" : " ") + part->getName();
        break;
      }
    }
  }
  return names;
}

std::string SongArrangement::describe() const {
  std::string text;
  for (const Section& section : sections) {
    char line[96];
    std::snprintf(line, sizeof(line), "bars %2d-%2d  %3d-%3d s  %-12s ", section.firstBar,
                  section.firstBar + section.bars - 1, section.firstBar * 2,
                  (section.firstBar + section.bars) * 2, section.name.c_str());
    text += line + partsIn(section) + "\n";
  }
  return text;
}
