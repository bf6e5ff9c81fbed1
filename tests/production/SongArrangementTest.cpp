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

TEST_F(TarnveldArrangementTest, IntroIsPadAloneThenTheKickJoins) {
  for (const auto& part : song->getParts()) {
    if (part->getName() == "pad") continue;
    EXPECT_TRUE(inBars(part->getName(), 0, 4).empty()) << part->getName();
  }
  EXPECT_FALSE(inBars("pad", 0, 4).empty());
  for (int bar = 4; bar < 8; ++bar) EXPECT_EQ(rowsInBar("kick", bar), (std::set<int>{0, 4, 8, 12})) << bar;
  EXPECT_TRUE(inBars("snare", 4, 8).empty());
  EXPECT_EQ(inBars("riser", 4, 8).size(), 1u);
  EXPECT_EQ(inBars("riser", 7, 8).size(), 1u);
}

TEST_F(TarnveldArrangementTest, GrooveHasBackbeatOffbeatHatsAndBass) {
  for (int bar = 8; bar < 16; ++bar) {
    EXPECT_EQ(rowsInBar("kick", bar), (std::set<int>{0, 4, 8, 12})) << bar;
    std::set<int> snare = rowsInBar("snare", bar);
    EXPECT_TRUE(snare.count(4) && snare.count(12)) << bar;
    EXPECT_FALSE(snare.count(0) || snare.count(8)) << bar;
    EXPECT_EQ(rowsInBar("hats", bar), (std::set<int>{2, 6, 10, 14})) << bar;
    EXPECT_FALSE(inBars("bass", bar, bar + 1).empty()) << bar;
  }
  EXPECT_TRUE(inBars("lead", 0, 16).empty());
  EXPECT_EQ(inBars("lead", 16, 17).front().row, 16 * SongClock::ROWS_PER_BAR);
}

TEST_F(TarnveldArrangementTest, BreakdownDropsTheDrumsUntilTheRoll) {
  for (const char* part : {"kick", "hats", "bass"}) EXPECT_TRUE(inBars(part, 24, 28).empty()) << part;
  EXPECT_TRUE(inBars("snare", 24, 27).empty());
  EXPECT_EQ(rowsInBar("snare", 27).size(), 16u);
  EXPECT_FALSE(inBars("lead", 24, 28).empty());
  EXPECT_FALSE(inBars("pad", 24, 28).empty());
  EXPECT_EQ(rowsInBar("kick", 28), (std::set<int>{0, 4, 8, 12}));
  EXPECT_FALSE(inBars("lead", 28, 44).empty());
}

TEST_F(TarnveldArrangementTest, ClimaxAddsHarmonyAndOpenHats) {
  EXPECT_TRUE(inBars("harmony", 0, 60).empty());
  EXPECT_FALSE(inBars("harmony", 60, 76).empty());
  EXPECT_FALSE(rowsInBar("hats", 60, HiHat::OPEN).empty());
  EXPECT_TRUE(inBars("kick", 52, 60).empty());
}

// The outro thins out one part at a time, and nothing is struck after the last chord.
TEST_F(TarnveldArrangementTest, OutroPartsLeaveOneByOne) {
  std::vector<int> leaving = {lastBar("lead"), lastBar("hats"), lastBar("snare"),
                              lastBar("bass"), lastBar("kick"), lastBar("pad")};
  EXPECT_EQ(leaving, (std::vector<int>{75, 79, 81, 83, 85, 88}));
  EXPECT_EQ(lastBar("harmony"), 75);
  EXPECT_FLOAT_EQ(song->master().valueAt(170.0), 1.0f);
  EXPECT_FLOAT_EQ(song->master().valueAt(TarnveldComposition::FADE_END_SECONDS), 0.0f);
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

TEST(TarnveldArrangement, DescribesEachSection) {
  std::string text = TarnveldComposition::compose().describe();
  EXPECT_NE(text.find("bars  0- 3    0-  8 s  intro        pad\n"), std::string::npos) << text;
  EXPECT_NE(text.find("bars 76-89  152-180 s  outro"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
}
