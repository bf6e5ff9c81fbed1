// Tarnveld's song: the sections the demo's timeline is cut to, and the sound it renders: lengths,
// headroom, the kick in the low frequencies and the hats in the high ones as the engine's spectrum
// reads them, silence at the end, and repeatability.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "demosys/sound/SpectrumAnalyzer.h"
#include "resources/generators/song/Mixer.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/SongRenderer.h"
#include "resources/generators/song/TarnveldComposition.h"

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
