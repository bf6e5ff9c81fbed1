// What the demo's timeline is cut to: Tarnveld's sections and which parts play where.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "resources/generators/song/HiHat.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/TarnveldComposition.h"

namespace {

class TarnveldArrangementTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { song = new SongArrangement(TarnveldComposition::compose()); }
  static void TearDownTestSuite() { delete song; }

  static const std::vector<NoteEvent>& events(const std::string& part) {
    const Part* found = song->findPart(part);
    EXPECT_NE(found, nullptr) << part;
    static const std::vector<NoteEvent> none;
    return found ? found->getEvents() : none;
  }
  static std::vector<NoteEvent> inBars(const std::string& part, int firstBar, int endBar) {
    std::vector<NoteEvent> selected;
    for (const NoteEvent& event : events(part))
      if (event.row >= firstBar * SongClock::ROWS_PER_BAR && event.row < endBar * SongClock::ROWS_PER_BAR)
        selected.push_back(event);
    return selected;
  }
  static std::set<int> rowsInBar(const std::string& part, int bar, int note = -1) {
    std::set<int> rows;
    for (const NoteEvent& event : inBars(part, bar, bar + 1))
      if (note < 0 || event.note == note) rows.insert(event.row - bar * SongClock::ROWS_PER_BAR);
    return rows;
  }
  static int lastBar(const std::string& part) {
    int last = -1;
    for (const NoteEvent& event : events(part)) last = std::max(last, event.row / SongClock::ROWS_PER_BAR);
    return last;
  }

  static SongArrangement* song;
};

SongArrangement* TarnveldArrangementTest::song = nullptr;

}  // namespace

TEST_F(TarnveldArrangementTest, ThreeMinutesInTheAgreedSections) {
  ASSERT_TRUE(song->isValid()) << song->getErrorMessage();
  EXPECT_EQ(song->getBars(), 90);
  EXPECT_EQ(song->getFrames(), 180 * SongClock::SAMPLE_RATE);
  const std::vector<std::pair<int, int>> expected = {{0, 4},   {4, 4},  {8, 8},  {16, 8},  {24, 4},
                                                     {28, 16}, {44, 8}, {52, 8}, {60, 16}, {76, 14}};
  ASSERT_EQ(song->getSections().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(song->getSections()[i].firstBar, expected[i].first) << i;
    EXPECT_EQ(song->getSections()[i].bars, expected[i].second) << i;
  }
  EXPECT_EQ(song->sectionAt(27)->name, "breakdown");
  EXPECT_EQ(song->sectionAt(90), nullptr);
}

TEST(TarnveldArrangement, SectionsMustTileTheSong) {
  SongArrangement gap(8);
  gap.addSection("a", 0, 4);
  gap.addSection("b", 5, 3);
  EXPECT_EQ(gap.getErrorMessage(), "Section 'b' does not start at bar 4\n");
  SongArrangement shortOne(8);
  shortOne.addSection("a", 0, 4);
  EXPECT_EQ(shortOne.getErrorMessage(), "Sections end at bar 4\n");
}
