// The song's building blocks where the golden frames' spectrum does not reach: note names,
// envelopes, instruments starting and ending silent, patterns, automation and windowed
// sequencing. The limiter's ceiling is the song render test's, its leaving quiet music alone the
// frames'.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "resources/generators/song/Automation.h"
#include "resources/generators/song/Bass.h"
#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/HiHat.h"
#include "resources/generators/song/Kick.h"
#include "resources/generators/song/Lead.h"
#include "resources/generators/song/NoteTable.h"
#include "resources/generators/song/Pad.h"
#include "resources/generators/song/Pattern.h"
#include "resources/generators/song/Riser.h"
#include "resources/generators/song/Sequencer.h"
#include "resources/generators/song/Snare.h"
#include "resources/generators/song/SongClock.h"

// A wrong pitch or oscillator moves the spectrum the arena's golden frames light up with; the
// spellings of a note the song may not use are only checked here.
TEST(SongNoteTable, NamesIncludingSharpsFlatsAndTheEnds) {
  const std::pair<const char*, int> names[] = {{"A4", 69}, {"C4", 60},  {"C-1", 0},  {"G9", 127},
                                               {"G#4", 68}, {"Ab4", 68}, {"Cb4", 59}, {"B#3", 60}};
  for (const auto& n : names) EXPECT_EQ(NoteTable::parse(n.first), n.second) << n.first;
}

TEST(SongEnvelope, RisesDecaysToSustainAndEndsAtZeroWithoutJumps) {
  Envelope envelope(0.01, 0.2, 0.6, 0.3, 2.0);
  const double gate = 0.5;
  EXPECT_DOUBLE_EQ(envelope.length(gate), 0.8);
  const std::pair<double, double> levels[] = {{-1.0, 0.0}, {0.0, 0.0}, {0.005, 0.5}, {0.01, 1.0},
                                              {0.4, 0.6},  {0.8, 0.0}, {10.0, 0.0}};
  for (const auto& l : levels) EXPECT_NEAR(envelope.level(l.first, gate), l.second, 1e-9) << l.first;
  double previous = 0.0;
  for (double t = 0.0; t < 1.0; t += 1e-4) {
    double level = envelope.level(t, gate);
    ASSERT_TRUE(level >= 0.0 && level <= 1.0) << t;
    ASSERT_LT(std::fabs(level - previous), 0.02) << "jump at " << t;
    previous = level;
  }
}

using InstrumentMaker = std::unique_ptr<Instrument> (*)();
const InstrumentMaker instruments[] = {
    [] { return std::unique_ptr<Instrument>(new Kick); }, [] { return std::unique_ptr<Instrument>(new Snare); },
    [] { return std::unique_ptr<Instrument>(new HiHat); }, [] { return std::unique_ptr<Instrument>(new Bass); },
    [] { return std::unique_ptr<Instrument>(new Pad); },   [] { return std::unique_ptr<Instrument>(new Lead); },
    [] { return std::unique_ptr<Instrument>(new Riser); }};

class SongInstrumentTest : public ::testing::TestWithParam<InstrumentMaker> {};

// Each note fades in from silence and dies away to silence inside its length, so notes
// placed anywhere never click, and it stays in a range the mixer expects.
TEST_P(SongInstrumentTest, NoteStartsAndEndsSilent) {
  std::unique_ptr<Instrument> instrument = GetParam()();
  for (int note : {HiHat::CLOSED, HiHat::OPEN, 33, 69}) {
    const NoteEvent event = {0, 4, note, 1.0f};
    const double gate = SongClock::secondsOfRows(event.lengthRows);
    std::vector<float> out(SongClock::framesOfSeconds(instrument->length(event, gate)), 0.0f);
    ASSERT_GT(out.size(), 100u);
    instrument->render(event, gate, 1234u, out.data(), out.size());
    EXPECT_LT(std::fabs(out.front()), 0.05f) << note;
    float peak = 0.0f;
    for (float sample : out) {
      ASSERT_TRUE(std::isfinite(sample));
      peak = std::max(peak, std::fabs(sample));
    }
    EXPECT_GT(peak, 0.05f) << note;
    EXPECT_LT(peak, 1.2f) << note;
    for (std::size_t i = out.size() - 20; i < out.size(); ++i) EXPECT_LT(std::fabs(out[i]), 0.01f) << note;
  }
}

INSTANTIATE_TEST_SUITE_P(AllInstruments, SongInstrumentTest, ::testing::ValuesIn(instruments));

TEST(SongPattern, StepsAndMelodiesBecomeEventsAndMistakesAreReported) {
  Pattern drums = Pattern::steps("x...o...x.......x...", 36, 0.8f);
  ASSERT_TRUE(drums.isValid());
  EXPECT_EQ(drums.getBars(), 2);
  ASSERT_EQ(drums.getEvents().size(), 4u);
  EXPECT_FLOAT_EQ(drums.getEvents()[1].velocity, 0.8f * Pattern::SOFT);
  const NoteEvent& hit = drums.getEvents()[3];
  EXPECT_EQ(std::vector<int>({hit.row, hit.lengthRows, hit.note}), std::vector<int>({16, 1, 36}));
  Pattern line = Pattern::melody("E5 - - . A4 - . . . . . . . . . . | C5 -", 0.7f);
  ASSERT_TRUE(line.isValid()) << line.getErrorMessage();
  EXPECT_EQ(line.getBars(), 2);
  ASSERT_EQ(line.getEvents().size(), 3u);
  std::vector<int> rows;
  for (const NoteEvent& e : line.getEvents()) rows.insert(rows.end(), {e.row, e.lengthRows, e.note});
  EXPECT_EQ(rows, std::vector<int>({0, 3, 76, 4, 2, 69, 16, 2, 72}));
  EXPECT_FLOAT_EQ(line.getEvents()[2].velocity, 0.7f);
  const std::pair<Pattern, const char*> mistakes[] = {
      {Pattern::steps("x..X", 36), "Unknown step 'X' at row 3\n"},
      {Pattern::melody("A4 - | B4"), "Bar line at row 2\n"},
      {Pattern::melody("A4 . - B4"), "Hold without a note at row 2\n"},
      {Pattern::melody("- A4"), "Hold without a note at row 0\n"},
      {Pattern::melody("A4 Q4"), "Unknown note 'Q4' at row 1\n"},
  };
  for (const auto& m : mistakes) {
    EXPECT_FALSE(m.first.isValid()) << m.second;
    EXPECT_EQ(m.first.getErrorMessage(), m.second);
  }
  EXPECT_FALSE(Pattern().append(Pattern::melody("Q4")).isValid());
}

TEST(SongAutomation, LinesBetweenPointsAndFlatEnds) {
  EXPECT_FLOAT_EQ(Automation(0.3f).valueAt(5.0), 0.3f);
  Automation fade;
  fade.point(8.0, 1.0f).point(0.0, 0.0f).point(10.0, 1.0f).point(10.0, 0.5f);
  EXPECT_FLOAT_EQ(fade.valueAt(-1.0), 0.0f);
  EXPECT_FLOAT_EQ(fade.valueAt(2.0), 0.25f);
  EXPECT_FLOAT_EQ(fade.valueAt(9.0), 1.0f);
  EXPECT_FLOAT_EQ(fade.valueAt(10.0), 0.5f);
  EXPECT_FLOAT_EQ(fade.valueAt(100.0), 0.5f);
}

// A window starting mid-note hears the note's running tail, exactly as the whole line does.
TEST(SongSequencer, WindowMatchesTheWholeLine) {
  Part part("pad", std::make_unique<Pad>(), ChannelSettings());
  part.place(Pattern::melody("A3 - - - - - - - - - - - - - - - | C4 - - - . . . . E4 - - - - - - -"), 0);
  part.gain().point(0.0, 0.5f).point(4.0, 1.0f);
  Sequencer sequencer;
  std::vector<float> whole, window;
  sequencer.render(part, 0, static_cast<std::size_t>(SongClock::frameOfBar(3)), whole);
  const int64_t first = SongClock::frameOfRow(20) + 7;
  sequencer.render(part, first, 30000, window);
  ASSERT_EQ(window.size(), 30000u);
  for (std::size_t i = 0; i < window.size(); ++i) ASSERT_EQ(window[i], whole[first + i]) << i;
}
