// The timers on a hand-set clock: system ticks, the music timer over the sound layer, the capture
// clock's fixed steps and the frame times a capture run reports; a frame's time, row and step show
// in every golden frame.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "demosys/core/FrameTimes.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/timeline/FMODTimer.h"
#include "demosys/timeline/FixedStepClock.h"
#include "demosys/timeline/Time.h"
#include "tests/demosys/SoundTestSupport.h"
#include "tests/support/TempTree.h"

using namespace sound_test;

namespace {

const char* const SONG = "music/tone.wav";
const unsigned SONG_MS = 2000;
const int BINS = 1024;
const int ONE_KHZ_BIN = 46;  // 1000 Hz / (44100 Hz / 2048)
const unsigned TONE_STARTS_MS = 500;

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


class TimerTest : public ::testing::Test {
 protected:
  ScopedClock clock{4000000000u};  // near the wrap: all clock arithmetic is modulo 2^32
};

}  // namespace

TEST_F(TimerTest, StartsPausedAtZeroAndSeeksByTimeAndRow) {
  Timer timer(8);  // 125 ms rows
  ASSERT_TRUE(timer.init());
  clock.advance(3000);
  EXPECT_TRUE(timer.isPaused());
  EXPECT_EQ(timer.getTime(), 0u);
  EXPECT_EQ(timer.getEndTime(), 600000u);
  EXPECT_EQ(timer.getEndRow(), 4800u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 0u);
  timer.setRow(41);
  EXPECT_EQ(timer.getTime(), 5125u);
  timer.setTime(5200);
  clock.advance(700);
  EXPECT_EQ(timer.getTime(), 5200u);
  EXPECT_EQ(timer.getRow(), 41u);
  EXPECT_EQ(timer.getRowTime(), 5125u);
  EXPECT_EQ(timer.dispose(), 1);
}

TEST_F(TimerTest, PlayPauseAndSeekWhilePlayingMeasureFramesFromTheClock) {
  Timer timer(20);
  timer.init();
  timer.setTime(1000);
  timer.play();
  EXPECT_FALSE(timer.isPaused());
  clock.advance(500);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 500u);
  clock.advance(100);
  timer.pause();
  clock.advance(1000);
  EXPECT_EQ(timer.getTime(), 1600u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 0u);
  timer.play();
  EXPECT_EQ(timer.getTime(), 1600u);
  clock.advance(40);
  // Measured from the time at play, not from the last frame before the pause.
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 40u);
  timer.setTime(9000);
  clock.advance(10);
  EXPECT_EQ(timer.getTime(), 9010u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 10u);
}

TEST_F(TimerTest, RowRatesOutsideOneTo1000AreRefusedAndRowLengthsTruncateFirst) {
  Timer zero(0);
  EXPECT_FALSE(zero.init());
  EXPECT_EQ(zero.getMessage(), "Invalid row rate 0: it must be from 1 to 1000");
  EXPECT_FALSE(Timer(1001).init());
  Timer fastest(1000);
  EXPECT_TRUE(fastest.init());
  EXPECT_EQ(fastest.getEndRow(), 600000u);
  Timer odd(7);
  odd.init();
  EXPECT_EQ(odd.getEndRow(), 600000u / 142u);
  odd.setTime(60000);
  EXPECT_EQ(odd.getRow(), 420u);
}

TEST_F(TimerTest, StandInSpectrumFillsExactlyCountFiniteValues) {
  Timer timer(20);
  std::vector<float> out(16, -1.0f);
  timer.GetDirectSoundData(Timer::SUM, 0, out.data());
  timer.GetDirectSoundData(Timer::LEFT, -3, out.data());
  EXPECT_EQ(out[0], -1.0f);
  timer.GetDirectSoundData(Timer::AVERAGE, 8, out.data());
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(std::isfinite(out[i]) && out[i] > 0.0f && out[i] <= 1.0f) << i;
  EXPECT_EQ(out[8], -1.0f);
}

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

TEST(FixedStepClockTest, RangeTimesComeFromTheFrameNumberWithoutDrift) {
  Timer timer(20);
  FixedStepClock at25(timer, 25);
  EXPECT_EQ(at25.rangeTimes(100, 260), (std::vector<unsigned>{100, 140, 180, 220, 260}));
  EXPECT_EQ(at25.rangeTimes(100, 259), (std::vector<unsigned>{100, 140, 180, 220}));
  EXPECT_EQ(at25.rangeTimes(70, 70), (std::vector<unsigned>{70}));
  FixedStepClock at30(timer, 30);
  EXPECT_EQ(at30.getStep(), 33u);
  EXPECT_EQ(at30.rangeTimes(0, 100), (std::vector<unsigned>{0, 33, 66, 100}));
  std::vector<unsigned> minute = at30.rangeTimes(0, 60000);
  ASSERT_EQ(minute.size(), 1801u);
  EXPECT_EQ(minute.back(), 60000u) << "33 ms steps would have drifted to 59400";
}

// The song stays paused; each frame's spectrum is the song's at that frame's time.
TEST(FixedStepClockTest, SpectrumFollowsTheFrameTimeAndRepeatsExactly) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  // Silence, then from TONE_STARTS_MS a full-scale tone centred on ONE_KHZ_BIN, left only.
  ASSERT_TRUE(writeSong(tree.path("late.wav"), WAV_FLOAT, 44100, 1.5, {binCentreHz(ONE_KHZ_BIN, BINS), 1.0f},
                        {}, false, TONE_STARTS_MS / 1000.0));
  QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  ScopedClock clock;
  FMODTimer timer(tree.path("late.wav"), 8);
  testing::internal::CaptureStdout();
  bool loaded = timer.init();
  testing::internal::GetCapturedStdout();
  ASSERT_TRUE(loaded) << timer.getMessage();
  timer.play();
  clock.advance(200);
  FixedStepClock capture(timer, 25);
  capture.start();

  capture.frameAt(TONE_STARTS_MS - 60);
  std::vector<float> before = spectrumOf(timer, Timer::LEFT, BINS);
  EXPECT_NEAR(before[ONE_KHZ_BIN], 0.0f, 1e-6f) << "the window ends before the tone";

  capture.frameAt(1000);
  std::vector<float> during = spectrumOf(timer, Timer::LEFT, BINS);
  EXPECT_NEAR(during[ONE_KHZ_BIN], 1.0f, 0.05f);
  EXPECT_NEAR(spectrumOf(timer, Timer::RIGHT, BINS)[ONE_KHZ_BIN], 0.0f, 1e-6f);

  clock.advance(3000);
  timer.updateSystem();
  EXPECT_EQ(spectrumOf(timer, Timer::LEFT, BINS), during) << "real time does not move a paused song";
  capture.frameAt(TONE_STARTS_MS - 60);
  EXPECT_EQ(spectrumOf(timer, Timer::LEFT, BINS), before) << "seeking back gives the same frame again";
  capture.frameAt(1000);
  EXPECT_EQ(spectrumOf(timer, Timer::LEFT, BINS), during);
}

TEST(Time, TicksSplitIntoMinutesSecondsAndMilliseconds) {
  Time time(83456u);
  EXPECT_EQ(time.getMinutes(), 1u);
  EXPECT_EQ(time.getSeconds(), 23u);
  EXPECT_EQ(time.getMilliseconds(), 456u);
  EXPECT_EQ(time.toString(), "(0000083456)-[01:23:456]");
  EXPECT_EQ(Time().toString(), "(0000000000)-[00:00:000]");
  EXPECT_DOUBLE_EQ(time.getTicksAsDouble(), 83456.0);
  EXPECT_EQ(Time(2, 3, 4).getTicks(), 123004u);
  EXPECT_EQ(Time::time2uint(1, 2, 3), 62003u);
  EXPECT_EQ(Time(200u * 60000u).toString(), "(0012000000)-[200:00:000]");
}

TEST(Time, TextFormNeedsThreeWholeNumbers) {
  Time time("1:02:003");
  EXPECT_TRUE(time.isValid());
  EXPECT_EQ(time.getTicks(), 62003u);

  Time unnormalised("0:90:0");
  EXPECT_EQ(unnormalised.getSeconds(), 90u);
  EXPECT_EQ(unnormalised.getTicks(), 90000u);

  for (const char* bad : {"1:02", "a:02:003", "1:2:3:4", "", "1:02:3.5"}) {
    Time parsed(77u);
    parsed.setTimeAsString(bad);
    EXPECT_FALSE(parsed.isValid()) << bad;
    EXPECT_EQ(parsed.getTicks(), 0u) << bad;
    EXPECT_EQ(parsed.getMinutes(), 0u) << bad;
  }

  Time again("x:0:0");
  again.setTimeAsString("0:1:0");
  EXPECT_TRUE(again.isValid());
  EXPECT_EQ(again.getTicks(), 1000u);
}

TEST(FrameTimes, EmptyRecordReportsZeros) {
  FrameTimes times(0);
  EXPECT_EQ(times.summary(),
            "Frame time : median 0.0 ms, worst 1 % 0.0 ms, slowest 0.0 ms at 0:00:000 (0 frames)");
}

TEST(FrameTimes, NearestRankPercentilesIgnoreTheOrderOfArrival) {
  FrameTimes times(200);
  // 200 frames costing 1..200 ms, recorded out of order.
  for (int i = 0; i < 200; ++i) times.add(static_cast<double>((i * 37) % 200 + 1), 1000u + i);
  EXPECT_EQ(times.size(), 200u);
  EXPECT_EQ(times.median(), 100.0);
  EXPECT_EQ(times.worstPercent(), 198.0);
  EXPECT_EQ(times.slowest(), 200.0);
}

TEST(FrameTimes, SlowestFrameKeepsTheFirstDemoTimeItWasSeenAt) {
  FrameTimes times(4);
  times.add(5.0, 0);
  times.add(40.0, 61500);
  times.add(40.0, 62000);
  times.add(7.0, 63000);
  EXPECT_EQ(times.slowestAt(), 61500u);
  EXPECT_NE(times.summary().find("slowest 40.0 ms at 1:01:500 (4 frames)"), std::string::npos)
      << times.summary();
}
