// The music timer over the sound layer: loading from the directory tree and from the
// archive, the printed lines and messages of each failure, seeking, pausing and playing
// with the song, the four spectrum views, and the clock agreeing with the song.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "demosys/resources/QNVIO.h"
#include "demosys/timeline/FMODTimer.h"
#include "tests/demosys/SoundTestSupport.h"
#include "tests/support/TempTree.h"

using namespace sound_test;

namespace {

const char* const SONG = "music/tone.wav";
const unsigned SONG_MS = 2000;
const int BINS = 1024;
const int ONE_KHZ_BIN = 46;  // 1000 Hz / (44100 Hz / 2048)
const float SENTINEL = -7.0f;

// A 1 kHz full-scale tone on the left; the right carries only a quieter 3 kHz tone.
class FMODTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    std::filesystem::create_directories(tree.path("music"));
    ASSERT_TRUE(writeSong(tree.path(SONG), WAV_FLOAT, 44100, SONG_MS / 1000.0, {1000, 1.0f}, {3000, 0.25f}));
    tree.enter();
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  }
  void TearDown() override { QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT; }

  // Runs init(), keeping what it printed.
  bool init(FMODTimer& timer) {
    testing::internal::CaptureStdout();
    bool ok = timer.init();
    printed = testing::internal::GetCapturedStdout();
    return ok;
  }

  TempTree tree;
  std::string printed;
};

}  // namespace

TEST_F(FMODTimerTest, ArchiveAndDirectoryGiveTheSameSong) {
  ASSERT_TRUE(tree.archive("resources.7z", "", {"music"}));
  std::vector<std::vector<float>> spectra;
  std::vector<unsigned> lengths;
  for (int source : {QNVIO::QNV_RESOURCES_7Z, QNVIO::QNV_RESOURCES_FLAT}) {
    QNVIO::init(source);
    FMODTimer timer(SONG, 20);
    ASSERT_TRUE(init(timer)) << source << ": " << printed;
    QNVIO::destroy();
    timer.setTime(1234);
    lengths.push_back(timer.getEndTime());
    spectra.push_back(spectrumOf(timer, Timer::LEFT, 512));
    spectra.push_back(spectrumOf(timer, Timer::RIGHT, 512));
  }
  EXPECT_EQ(lengths[0], SONG_MS);
  EXPECT_EQ(lengths[0], lengths[1]);
  EXPECT_EQ(spectra[0], spectra[2]);
  EXPECT_EQ(spectra[1], spectra[3]);
}

// The left side carries the louder tone, the right the higher; what the timer itself adds is the
// sum and average views and the bounds of its scratch arrays.
TEST_F(FMODTimerTest, SpectrumSidesSumAverageAndCountsOutsideTheArrays) {
  FMODTimer timer(SONG, 20);
  ASSERT_TRUE(init(timer));
  timer.setTime(1000);
  std::vector<float> left = spectrumOf(timer, Timer::LEFT, BINS);
  std::vector<float> right = spectrumOf(timer, Timer::RIGHT, BINS);
  EXPECT_EQ(loudestBin(left), ONE_KHZ_BIN);
  EXPECT_EQ(loudestBin(right), 139);  // 3 kHz
  std::vector<float> sum = spectrumOf(timer, Timer::SUM, BINS);
  std::vector<float> average = spectrumOf(timer, Timer::AVERAGE, BINS);
  for (int i = 0; i < BINS; ++i) {
    ASSERT_FLOAT_EQ(sum[i], left[i] + right[i]) << i;
    ASSERT_FLOAT_EQ(average[i], (left[i] + right[i]) * 0.5f) << i;
  }
  std::vector<float> out(9000, SENTINEL);
  timer.GetDirectSoundData(Timer::LEFT, -1, out.data());
  timer.GetDirectSoundData(static_cast<Timer::SoundChannel>(7), 64, out.data());
  EXPECT_EQ(std::count(out.begin(), out.end(), SENTINEL), 9000);
  timer.GetDirectSoundData(Timer::SUM, 9000, out.data());
  EXPECT_EQ(std::count(out.begin(), out.end(), SENTINEL), 9000 - FMODTimer::MAX_SPECTRUM_COUNT);
}

// On the silent output the song moves exactly with the hand-set clock, so every position
// the timer takes from the song is known to the millisecond.
TEST_F(FMODTimerTest, StartsPausedAtZeroThenSeekPauseAndPlayMoveTheSongWithTheClock) {
  ScopedClock clock;
  ScopedAudioDriver driver("no-such-driver");
  FMODTimer timer(SONG, 20);
  ASSERT_TRUE(init(timer));
  EXPECT_NE(printed.find("no audio device"), std::string::npos);
  EXPECT_EQ(timer.getEndTime(), SONG_MS);
  EXPECT_EQ(timer.getEndRow(), SONG_MS / 50);
  EXPECT_TRUE(timer.isPaused());
  clock.advance(700);
  EXPECT_EQ(timer.getTime(), 0u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 0u);
  std::vector<float> beforeTheSong = spectrumOf(timer, Timer::LEFT, BINS);
  EXPECT_EQ(*std::max_element(beforeTheSong.begin(), beforeTheSong.end()), 0.0f);
  timer.setTime(1500);
  EXPECT_EQ(timer.getTime(), 1500u);
  EXPECT_GT(spectrumOf(timer, Timer::LEFT, BINS)[ONE_KHZ_BIN], 0.8f);

  timer.play();
  EXPECT_EQ(timer.getTime(), 1500u);
  clock.advance(300);
  timer.updateSystem();
  EXPECT_EQ(timer.getTime(), 1800u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 300u);
  timer.pause();
  clock.advance(1000);
  EXPECT_EQ(timer.getTime(), 1800u);
  // Re-anchoring to the song finds it where it was paused.
  timer.play();
  EXPECT_EQ(timer.getTime(), 1800u);
  clock.advance(40);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 40u);
  EXPECT_EQ(timer.dispose(), 0);
}

struct InitFailure {
  const char* name;
  int resourceType;
  const char* song;
  const char* printed;
  const char* message;
};

TEST_F(FMODTimerTest, FailuresPrintAndKeepTheirMessages) {
  tree.write("music/notes.txt", "not a song\n");
  ASSERT_TRUE(tree.archive("resources.7z", "", {"music"}));
  const InitFailure failures[] = {
      {"missing song", QNVIO::QNV_RESOURCES_FLAT, "music/gone.ogg",
       "Failed to create sound sysmte sound! Error code: 3\n", "FMOD Init : Failed to load soundfile!"},
      {"not audio", QNVIO::QNV_RESOURCES_FLAT, "music/notes.txt",
       "Failed to create sound sysmte sound! Error code: 4\n", "FMOD Init : Failed to load soundfile!"},
      {"not audio in the archive", QNVIO::QNV_RESOURCES_7Z, "music/notes.txt",
       "Failed to create sound sysmte sound! Error code: 4\n", "FMOD Init : Failed to load soundfile!"},
      {"missing from the archive", QNVIO::QNV_RESOURCES_7Z, "music/gone.ogg", "Error code: 0\n",
       "FMOD Init : Failed to load soundfile from archive!"},
      {"unknown source", 9, SONG, "Failed to create sound sysmte sound! Error code: 0\n",
       "FMOD Init : Failed to load soundfile!"},
  };
  for (const InitFailure& f : failures) {
    QNVIO::init(f.resourceType);
    FMODTimer timer(f.song, 20);
    EXPECT_FALSE(init(timer)) << f.name;
    QNVIO::destroy();
    EXPECT_EQ(printed.substr(printed.size() - std::string(f.printed).size()), f.printed) << f.name;
    EXPECT_EQ(timer.getMessage(), f.message) << f.name;
    // What init made is given back at once: the audio device is free again.
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << f.name;
    EXPECT_EQ(timer.dispose(), 1) << f.name;
    EXPECT_EQ(timer.getMessage(), "Failed to shut down FMOD!") << f.name;
  }
  FMODTimer zeroRate(SONG, 0);
  EXPECT_FALSE(init(zeroRate));
  EXPECT_EQ(printed, "") << "a row rate that would divide by zero is refused before the sound starts";
}

// Plays in real time against SDL's dummy driver, whose clock is its own thread's
// sleeps: ctest runs suites named *RealTime alone so other tests can't delay them.
class FMODTimerRealTime : public FMODTimerTest {};

TEST_F(FMODTimerRealTime, ClockAndSongAgreeAfterThreeSecondsOfPlay) {
  ASSERT_TRUE(writeSong(tree.path("music/long.wav"), WAV_FLOAT, 44100, 5.0, {440, 0.5f}, {440, 0.5f}));
  FMODTimer timer("music/long.wav", 20);
  ASSERT_TRUE(init(timer));
  timer.setTime(200);
  timer.play();
  for (int frame = 0; frame < 150; ++frame) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    timer.updateSystem();
  }
  int clockTime = static_cast<int>(timer.getTime());
  timer.pause();
  timer.play();  // re-anchors the clock to the song's position
  int songTime = static_cast<int>(timer.getTime());
  EXPECT_GE(clockTime, 3000);
  EXPECT_NEAR(clockTime, songTime, 50);
}
