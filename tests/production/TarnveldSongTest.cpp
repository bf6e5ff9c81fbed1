// Tarnveld's song where the golden frames' spectrum does not reach, and the Ogg file the build writes;
// the limiter's ceiling is checked here, its leaving quiet music alone by the frames.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "demosys/sound/SoundDecoder.h"
#include "demosys/sound/SpectrumAnalyzer.h"
#include "qnvutils/File.h"
#include "resources/generators/song/Automation.h"
#include "resources/generators/song/Bass.h"
#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/HiHat.h"
#include "resources/generators/song/Kick.h"
#include "resources/generators/song/Lead.h"
#include "resources/generators/song/Mixer.h"
#include "resources/generators/song/NoteTable.h"
#include "resources/generators/song/OggPages.h"
#include "resources/generators/song/OggWriter.h"
#include "resources/generators/song/Pad.h"
#include "resources/generators/song/Pattern.h"
#include "resources/generators/song/Riser.h"
#include "resources/generators/song/Sequencer.h"
#include "resources/generators/song/Snare.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/SongRenderer.h"
#include "resources/generators/song/TarnveldComposition.h"
#include "tests/support/BuildTree.h"
#include "tests/support/TempTree.h"

namespace {

const std::size_t BAR_FRAMES = 2 * SongClock::SAMPLE_RATE;

class TarnveldSong : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { song = new SongArrangement(TarnveldComposition::compose()); }
  static void TearDownTestSuite() { delete song; }

  static std::vector<float> bars(int first, int count) { return SongRenderer(*song).renderBars(first, count); }
  static std::size_t frameOf(double seconds) { return static_cast<std::size_t>(seconds * SongClock::SAMPLE_RATE); }

  static inline SongArrangement* song = nullptr;
};

std::vector<float> tone(double seconds) {
  std::vector<float> stereo(2 * static_cast<std::size_t>(seconds * 44100));
  for (std::size_t i = 0; i < stereo.size(); ++i) stereo[i] = 0.5f * static_cast<float>(std::sin(i * 0.02));
  return stereo;
}

}  // namespace

TEST_F(TarnveldSong, ThreeMinutesInTheAgreedSections) {
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

TEST_F(TarnveldSong, BarHasItsLengthAndStaysInRange) {
  std::vector<float> bar = bars(8, 1);
  EXPECT_EQ(bar.size(), 2 * BAR_FRAMES);
  std::vector<float> climax = bars(60, 2);
  ASSERT_EQ(climax.size(), 4 * BAR_FRAMES);
  float peak = 0.0f;
  for (float sample : climax) peak = std::max(peak, std::fabs(sample));
  EXPECT_LE(peak, Mixer::CEILING);
  EXPECT_GT(peak, 0.5f);
  EXPECT_EQ(bars(88, 5).size(), 4 * BAR_FRAMES);
  EXPECT_TRUE(bars(95, 1).empty());
}

// Through the spectrum the effects read, over the first 60 ms after each hit (a few frames;
// single reads of low bands swing with the waveform's phase): the lowest bands jump on the
// kick, the upper bands on the off-beat hats (against the last sixteenth of the beat, where
// nothing is struck; the snare on 2 and 4 reaches up there too).
TEST_F(TarnveldSong, SpectrumShowsKickLowAndHatsHigh) {
  std::vector<float> groove = bars(10, 2);
  SpectrumAnalyzer analyzer;
  auto bands = [&](double seconds, int from, int to) {
    float spectrum[64];
    double sum = 0.0;
    for (std::size_t delay = 200; delay < frameOf(0.06); delay += 400) {
      analyzer.analyze(groove.data(), static_cast<uint32_t>(frameOf(seconds) + delay), 0, 64, spectrum);
      for (int k = from; k < to; ++k) sum += spectrum[k];
    }
    return sum;
  };
  for (int beat = 0; beat < 8; ++beat) {
    double kick = beat * 0.5;
    double hat = kick + 0.25;
    double unstruck = kick + 0.375;
    EXPECT_GT(bands(kick, 0, 2), 1.5 * bands(hat, 0, 2)) << "beat " << beat;
    EXPECT_GT(bands(hat, 16, 40), 2.0 * bands(unstruck, 16, 40)) << "beat " << beat;
  }
}

TEST_F(TarnveldSong, SameMusicEveryTime) {
  std::vector<float> first = bars(27, 2);
  std::vector<float> second = SongRenderer(TarnveldComposition::compose()).renderBars(27, 2);
  EXPECT_EQ(first, second);
}

// A wrong pitch or oscillator moves the spectrum the arena's frames light up with; spellings the
// song does not use are only checked here.
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

// The song the build wrote, read by libsndfile and by the engine's decoder; a tone written twice
// gives the same bytes.
TEST(TarnveldSongOgg, BuiltSongReadsBackWithItsLengthAndWritesRepeat) {
  const std::string built = buildTreePath("tarnveld/resources/music/tarnveld.ogg");
  SF_INFO info = {};
  SNDFILE* file = sf_open(built.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << built << ": " << sf_strerror(nullptr);
  sf_close(file);
  EXPECT_EQ(info.format, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.samplerate, 44100);
  EXPECT_NEAR(static_cast<double>(info.frames) / info.samplerate, 180.0, 0.1);
  const std::vector<unsigned char> bytes = File(built, File::MODE_READ).getUnsigned();
  std::vector<float> decoded;
  uint32_t lengthMs = 0;
  ASSERT_EQ(SoundDecoder::decode(bytes.data(), bytes.size(), decoded, lengthMs), SND_OK);
  EXPECT_NEAR(lengthMs, 180000.0, 100.0);

  TempTree tree;
  OggWriter writer;
  ASSERT_TRUE(writer.write(tree.path("a.ogg"), tone(1.0))) << writer.getErrorMessage();
  ASSERT_TRUE(writer.write(tree.path("b.ogg"), tone(1.0))) << writer.getErrorMessage();
  EXPECT_EQ(tree.read("a.ogg"), tree.read("b.ogg"));
  EXPECT_FALSE(writer.write(tree.path("missing/dir/c.ogg"), tone(0.1)));
  EXPECT_NE(writer.getErrorMessage().find("missing/dir/c.ogg"), std::string::npos) << writer.getErrorMessage();
}

TEST(TarnveldSongOgg, PagesThatDoNotAddUpAreRefused) {
  TempTree tree;
  OggWriter writer;
  ASSERT_TRUE(writer.write(tree.path("a.ogg"), tone(1.0))) << writer.getErrorMessage();
  std::string text = tree.read("a.ogg");
  const std::vector<unsigned char> bytes(text.begin(), text.end());
  std::vector<unsigned char> whole = bytes;
  EXPECT_TRUE(OggPages::setSerial(whole, 7));
  std::vector<unsigned char> truncated(bytes.begin(), bytes.end() - 1);
  EXPECT_FALSE(OggPages::setSerial(truncated, 7));
  std::vector<unsigned char> shortHeader(bytes.begin(), bytes.begin() + 20);
  EXPECT_FALSE(OggPages::setSerial(shortHeader, 7));
  std::vector<unsigned char> noCapture = bytes;
  noCapture[0] = 'X';
  EXPECT_FALSE(OggPages::setSerial(noCapture, 7));
  // A segment table longer than what is left.
  std::vector<unsigned char> table(bytes.begin(), bytes.begin() + 28);
  table[26] = 200;
  EXPECT_FALSE(OggPages::setSerial(table, 7));
}
