// The sound layer on its own: decoding each kind of song from a path and from memory,
// failures, positions, pausing, channel choice, the silent output on a hand-set clock,
// and the spectrum's scale, sides and counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "demosys/sound/SoundApi.h"
#include "tests/demosys/SoundTestSupport.h"
#include "tests/support/TempTree.h"

using namespace sound_test;

namespace {

const int BINS = 1024;
const int PEAK_BIN = 64;
const float SENTINEL = -7.0f;

class SoundLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    ASSERT_EQ(snd_System_Create(&system), SND_OK);
    ASSERT_EQ(snd_System_Init(system, 32, SND_INIT_SOFTWARE_MIXING, nullptr), SND_OK);
  }
  void TearDown() override { EXPECT_EQ(snd_System_Release(system), SND_OK); }

  Sound* load(const std::string& relative) {
    Sound* sound = nullptr;
    EXPECT_EQ(snd_System_CreateSound(system, tree.path(relative).c_str(), SND_MODE_SOFTWARE, nullptr, &sound),
              SND_OK);
    return sound;
  }

  Sound* loadFromMemory(const std::string& bytes) {
    SoundCreateInfo info = {sizeof(SoundCreateInfo), static_cast<unsigned>(bytes.size())};
    Sound* sound = nullptr;
    EXPECT_EQ(
        snd_System_CreateSound(system, bytes.data(), SND_MODE_SOFTWARE | SND_MODE_OPEN_MEMORY, &info, &sound),
        SND_OK);
    return sound;
  }

  // A paused channel at `ms` into the song.
  AudioChannel* parkedAt(Sound* sound, unsigned ms) {
    AudioChannel* channel = nullptr;
    EXPECT_EQ(snd_System_PlaySound(system, SND_CHANNEL_FREE, sound, true, &channel), SND_OK);
    EXPECT_EQ(snd_Channel_SetPosition(channel, ms, SND_TIMEUNIT_MS), SND_OK);
    return channel;
  }

  std::vector<float> spectrum(AudioChannel* channel, int count, int side) {
    std::vector<float> out(count + 1, SENTINEL);
    EXPECT_EQ(snd_Channel_GetSpectrum(channel, out.data(), count, side, SND_SPECTRUM_WINDOW_HAMMING), SND_OK);
    EXPECT_EQ(out[count], SENTINEL) << "wrote past count";
    out.pop_back();
    return out;
  }

  unsigned lengthOf(Sound* sound) {
    unsigned length = 0;
    EXPECT_EQ(snd_Sound_GetLength(sound, &length, SND_TIMEUNIT_MS), SND_OK);
    return length;
  }

  unsigned positionOf(AudioChannel* channel) {
    unsigned position = 0;
    EXPECT_EQ(snd_Channel_GetPosition(channel, &position, SND_TIMEUNIT_MS), SND_OK);
    return position;
  }

  bool isPlaying(AudioChannel* channel) {
    bool playing = false;
    EXPECT_EQ(snd_Channel_IsPlaying(channel, &playing), SND_OK);
    return playing;
  }

  TempTree tree;
  SoundSystem* system = nullptr;
};

int loudestBin(const std::vector<float>& spectrum) {
  return static_cast<int>(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());
}

}  // namespace

TEST_F(SoundLayer, EachSampledFormatDecodesWithTheLengthOfTheOriginal) {
  const Tone a{440, 0.5f};
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 2.5, a, a));
  ASSERT_TRUE(writeSong(tree.path("song.flac"), FLAC_16, 48000, 1.25, a, a));
  ASSERT_TRUE(writeSong(tree.path("song.ogg"), OGG_VORBIS, 44100, 2.0, a, a));
  ASSERT_TRUE(writeSong(tree.path("song.opus"), OGG_OPUS, 48000, 1.5, a, a));
  ASSERT_TRUE(writeSong(tree.path("song.mp3"), MP3, 44100, 1.5, a, a));
  ASSERT_TRUE(writeSong(tree.path("mono.wav"), WAV_FLOAT, 22050, 0.5, a, a, true));
  EXPECT_EQ(lengthOf(load("song.wav")), 2500u);
  EXPECT_EQ(lengthOf(load("song.flac")), 1250u);
  EXPECT_EQ(lengthOf(load("song.ogg")), 2000u);
  EXPECT_NEAR(lengthOf(load("song.opus")), 1500.0, 25.0);
  EXPECT_NEAR(lengthOf(load("song.mp3")), 1500.0, 60.0);
  EXPECT_EQ(lengthOf(load("mono.wav")), 500u);
}

TEST_F(SoundLayer, MonoIsHeardOnBothSides) {
  ASSERT_TRUE(
      writeSong(tree.path("mono.wav"), WAV_FLOAT, 44100, 1.0, {binCentreHz(PEAK_BIN, BINS), 1.0f}, {}, true));
  AudioChannel* channel = parkedAt(load("mono.wav"), 500);
  EXPECT_EQ(spectrum(channel, BINS, 0), spectrum(channel, BINS, 1));
}

TEST_F(SoundLayer, ResampledSongKeepsItsPitch) {
  ASSERT_TRUE(
      writeSong(tree.path("song.flac"), FLAC_16, 48000, 1.0, {binCentreHz(PEAK_BIN, BINS), 0.9f}, {}));
  std::vector<float> left = spectrum(parkedAt(load("song.flac"), 600), BINS, 0);
  EXPECT_EQ(loudestBin(left), PEAK_BIN);
  EXPECT_NEAR(left[PEAK_BIN], 0.9f, 0.03f);
}

TEST_F(SoundLayer, MemoryAndPathGiveTheSameSong) {
  ASSERT_TRUE(writeSong(tree.path("song.ogg"), OGG_VORBIS, 44100, 1.5, {1000, 0.7f}, {3000, 0.3f}));
  Sound* fromPath = load("song.ogg");
  Sound* fromMemory = loadFromMemory(tree.read("song.ogg"));
  EXPECT_EQ(lengthOf(fromPath), lengthOf(fromMemory));
  AudioChannel* a = parkedAt(fromPath, 900);
  AudioChannel* b = parkedAt(fromMemory, 900);
  EXPECT_EQ(spectrum(a, 512, 0), spectrum(b, 512, 0));
  EXPECT_EQ(spectrum(a, 512, 1), spectrum(b, 512, 1));
}

TEST_F(SoundLayer, TrackerModuleIsRenderedAndHeard) {
  tree.write("sine.mod", sineModule());
  Sound* module = load("sine.mod");
  ASSERT_NE(module, nullptr);
  EXPECT_NEAR(lengthOf(module), MODULE_SECONDS * 1000, 30.0);
  EXPECT_EQ(lengthOf(loadFromMemory(sineModule())), lengthOf(module));
  std::vector<float> spectrumAt2s = spectrum(parkedAt(module, 2000), BINS, 0);
  EXPECT_NEAR(loudestBin(spectrumAt2s), MODULE_TONE_HZ / binCentreHz(1, BINS), 1.0);
  EXPECT_GT(spectrumAt2s[loudestBin(spectrumAt2s)], 0.05f);
}

TEST_F(SoundLayer, MissingEmptyAndNonAudioSongsAreRefused) {
  tree.write("notes.txt", "These are the notes for the demo, not a song.\n");
  tree.write("empty.wav", "");
  ASSERT_TRUE(writeSong(tree.path("whole.wav"), WAV_FLOAT, 44100, 0.5, {440, 0.5f}, {440, 0.5f}));
  tree.write("cut.wav", tree.read("whole.wav").substr(0, 30));
  Sound* sound = nullptr;
  EXPECT_EQ(
      snd_System_CreateSound(system, tree.path("missing.ogg").c_str(), SND_MODE_SOFTWARE, nullptr, &sound),
      SND_ERR_FILE_NOT_FOUND);
  EXPECT_EQ(snd_System_CreateSound(system, tree.path("").c_str(), SND_MODE_SOFTWARE, nullptr, &sound),
            SND_ERR_FILE_NOT_FOUND);
  for (const char* name : {"notes.txt", "empty.wav", "cut.wav"}) {
    EXPECT_EQ(snd_System_CreateSound(system, tree.path(name).c_str(), SND_MODE_SOFTWARE, nullptr, &sound),
              SND_ERR_FORMAT)
        << name;
  }
  const std::string text = tree.read("notes.txt");
  SoundCreateInfo info = {sizeof(SoundCreateInfo), static_cast<unsigned>(text.size())};
  EXPECT_EQ(snd_System_CreateSound(system, text.data(), SND_MODE_OPEN_MEMORY, &info, &sound), SND_ERR_FORMAT);
  SoundCreateInfo foreign = {112, static_cast<unsigned>(text.size())};
  EXPECT_EQ(snd_System_CreateSound(system, text.data(), SND_MODE_OPEN_MEMORY, &foreign, &sound),
            SND_ERR_INVALID_PARAM);
  EXPECT_EQ(snd_System_CreateSound(system, text.data(), 0x1, &info, &sound), SND_ERR_INVALID_PARAM);
}

TEST_F(SoundLayer, PositionsReadBackInMilliseconds) {
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 2.5, {440, 0.5f}, {440, 0.5f}));
  AudioChannel* channel = parkedAt(load("song.wav"), 0);
  EXPECT_TRUE(isPlaying(channel));
  for (unsigned ms : {0u, 1u, 7u, 999u, 1234u, 2499u, 2500u}) {
    ASSERT_EQ(snd_Channel_SetPosition(channel, ms, SND_TIMEUNIT_MS), SND_OK);
    EXPECT_EQ(positionOf(channel), ms);
  }
  snd_Channel_SetPosition(channel, 99999, SND_TIMEUNIT_MS);
  EXPECT_EQ(positionOf(channel), 2500u);
  unsigned ignored;
  EXPECT_EQ(snd_Channel_GetPosition(channel, &ignored, 2), SND_ERR_INVALID_PARAM);
}

TEST_F(SoundLayer, PausedChannelKeepsItsPositionWhilePlayingOnesMove) {
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 5.0, {440, 0.5f}, {440, 0.5f}));
  Sound* song = load("song.wav");
  AudioChannel* channel = parkedAt(song, 1000);
  snd_Channel_SetPaused(channel, false);
  snd_Channel_SetPaused(channel, true);
  unsigned pausedAt = positionOf(channel);
  // The device thread may have taken a buffer or two (23 ms each) in between.
  EXPECT_GE(pausedAt, 1000u);
  EXPECT_LE(pausedAt, 1000u + 2 * 24u);
  // Give the device thread time to consume a few buffers; the paused channel must not move.
  AudioChannel* other = parkedAt(song, 0);
  snd_Channel_SetPaused(other, false);
  while (positionOf(other) < 100) snd_System_Update(system);
  EXPECT_EQ(positionOf(channel), pausedAt);
}

TEST_F(SoundLayer, ChannelsAreChosenFreeOrReused) {
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 0.5, {440, 0.5f}, {440, 0.5f}));
  Sound* song = load("song.wav");
  AudioChannel* first = nullptr;
  ASSERT_EQ(snd_System_PlaySound(system, SND_CHANNEL_REUSE, song, true, &first), SND_OK);
  AudioChannel* again = first;
  ASSERT_EQ(snd_System_PlaySound(system, SND_CHANNEL_REUSE, song, true, &again), SND_OK);
  EXPECT_EQ(again, first);
  std::vector<AudioChannel*> taken = {first};
  for (int i = 1; i < 32; ++i) {
    AudioChannel* channel = nullptr;
    ASSERT_EQ(snd_System_PlaySound(system, SND_CHANNEL_FREE, song, true, &channel), SND_OK);
    EXPECT_EQ(std::count(taken.begin(), taken.end(), channel), 0);
    taken.push_back(channel);
  }
  AudioChannel* none = nullptr;
  EXPECT_EQ(snd_System_PlaySound(system, SND_CHANNEL_FREE, song, true, &none), SND_ERR_NO_FREE_CHANNEL);
  EXPECT_EQ(snd_Channel_Stop(taken[5]), SND_OK);
  EXPECT_FALSE(isPlaying(taken[5]));
  EXPECT_EQ(snd_System_PlaySound(system, SND_CHANNEL_FREE, song, true, &none), SND_OK);
  EXPECT_EQ(none, taken[5]);
  EXPECT_EQ(snd_System_PlaySound(system, 3, song, true, &none), SND_ERR_INVALID_PARAM);
}

TEST_F(SoundLayer, ReleasingASongStopsItsChannels) {
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 1.0, {440, 0.5f}, {440, 0.5f}));
  Sound* kept = load("song.wav");
  Sound* released = load("song.wav");
  AudioChannel* keeps = parkedAt(kept, 500);
  AudioChannel* loses = parkedAt(released, 500);
  snd_Channel_SetPaused(loses, false);
  EXPECT_EQ(snd_Sound_Release(released), SND_OK);
  EXPECT_FALSE(isPlaying(loses));
  EXPECT_TRUE(isPlaying(keeps));
  std::vector<float> silent = spectrum(loses, 64, 0);
  EXPECT_EQ(*std::max_element(silent.begin(), silent.end()), 0.0f);
  EXPECT_EQ(snd_Channel_Stop(loses), SND_OK);
}

TEST_F(SoundLayer, SpectrumOfACentredSineReadsOneOnItsBinAndSilenceZero) {
  ASSERT_TRUE(
      writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 1.0, {binCentreHz(PEAK_BIN, BINS), 1.0f}, {}));
  AudioChannel* channel = parkedAt(load("song.wav"), 500);
  std::vector<float> left = spectrum(channel, BINS, 0);
  EXPECT_EQ(loudestBin(left), PEAK_BIN);
  EXPECT_NEAR(left[PEAK_BIN], 1.0f, 0.01f);
  // The Hamming window keeps the energy within a couple of bins.
  EXPECT_LT(left[PEAK_BIN + 4], 0.01f);
  EXPECT_LT(left[PEAK_BIN - 4], 0.01f);
  std::vector<float> right = spectrum(channel, BINS, 1);
  EXPECT_EQ(*std::max_element(right.begin(), right.end()), 0.0f);
}

TEST_F(SoundLayer, SpectrumCountsBelowAndBetweenThePowersOfTwo) {
  // Bin 8 of 64 and bin 16 of 128 are the same frequency.
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 1.0, {binCentreHz(8, 64), 1.0f}, {}));
  AudioChannel* channel = parkedAt(load("song.wav"), 500);
  std::vector<float> ten = spectrum(channel, 10, 0);
  std::vector<float> sixtyFour = spectrum(channel, 64, 0);
  EXPECT_EQ(ten, std::vector<float>(sixtyFour.begin(), sixtyFour.begin() + 10));
  EXPECT_EQ(loudestBin(ten), 8);
  std::vector<float> hundred = spectrum(channel, 100, 0);  // analysed with 128 bins
  EXPECT_EQ(loudestBin(hundred), 16);
  EXPECT_NEAR(hundred[16], 1.0f, 0.01f);
}

TEST_F(SoundLayer, SpectrumRefusesWhatItCannotFill) {
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 1.0, {binCentreHz(1000, 8192), 1.0f}, {}));
  AudioChannel* channel = parkedAt(load("song.wav"), 500);
  std::vector<float> out(SND_SPECTRUM_MAX_BINS + 1, SENTINEL);
  EXPECT_EQ(snd_Channel_GetSpectrum(channel, out.data(), 0, 0, SND_SPECTRUM_WINDOW_HAMMING), SND_OK);
  EXPECT_EQ(snd_Channel_GetSpectrum(channel, out.data(), -5, 0, SND_SPECTRUM_WINDOW_HAMMING), SND_OK);
  EXPECT_EQ(
      snd_Channel_GetSpectrum(channel, out.data(), SND_SPECTRUM_MAX_BINS + 1, 0, SND_SPECTRUM_WINDOW_HAMMING),
      SND_ERR_INVALID_PARAM);
  EXPECT_EQ(snd_Channel_GetSpectrum(channel, out.data(), 64, 2, SND_SPECTRUM_WINDOW_HAMMING),
            SND_ERR_INVALID_PARAM);
  EXPECT_EQ(snd_Channel_GetSpectrum(channel, out.data(), 64, 0, 0), SND_ERR_INVALID_PARAM);
  EXPECT_EQ(std::count(out.begin(), out.end(), SENTINEL), static_cast<long>(out.size()));
  std::vector<float> full = spectrum(channel, SND_SPECTRUM_MAX_BINS, 0);
  EXPECT_EQ(loudestBin(full), 1000);
  EXPECT_NEAR(full[1000], 1.0f, 0.01f);
}

TEST_F(SoundLayer, SpectrumNearTheStartTreatsTheTimeBeforeTheSongAsSilence) {
  ASSERT_TRUE(
      writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 1.0, {binCentreHz(PEAK_BIN, BINS), 1.0f}, {}));
  AudioChannel* channel = parkedAt(load("song.wav"), 0);
  std::vector<float> atStart = spectrum(channel, SND_SPECTRUM_MAX_BINS, 0);
  EXPECT_EQ(*std::max_element(atStart.begin(), atStart.end()), 0.0f);
  snd_Channel_SetPosition(channel, 20, SND_TIMEUNIT_MS);
  std::vector<float> early = spectrum(channel, BINS, 0);
  EXPECT_GT(early[PEAK_BIN], 0.0f);
  EXPECT_LT(early[PEAK_BIN], 1.0f);
}

TEST(SoundSystemLifecycle, CallsOutOfOrderAreRefused) {
  SoundSystem* system = nullptr;
  ASSERT_EQ(snd_System_Create(&system), SND_OK);
  unsigned version = 0;
  EXPECT_EQ(snd_System_GetVersion(system, &version), SND_OK);
  EXPECT_EQ(version, SND_VERSION);
  Sound* sound = nullptr;
  EXPECT_EQ(snd_System_CreateSound(system, "song.ogg", SND_MODE_SOFTWARE, nullptr, &sound),
            SND_ERR_NOT_READY);
  EXPECT_EQ(snd_System_Init(system, 32, 0x1, nullptr), SND_ERR_INVALID_PARAM);
  EXPECT_EQ(snd_System_Init(system, 0, 0, nullptr), SND_ERR_INVALID_PARAM);
  EXPECT_EQ(snd_System_Init(system, 32, 0, nullptr), SND_OK);
  EXPECT_EQ(snd_System_Init(system, 32, 0, nullptr), SND_ERR_NOT_READY);
  EXPECT_EQ(snd_System_Release(system), SND_OK);
  EXPECT_EQ(snd_Channel_Stop(nullptr), SND_ERR_INVALID_PARAM);
  EXPECT_EQ(snd_System_Update(nullptr), SND_ERR_INVALID_PARAM);
}

// Without a device the song still moves with the clock, exactly, and stops at its end.
TEST(SoundSilentOutput, AdvancesWithTheClock) {
  TempTree tree;
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 2.0, {440, 0.5f}, {440, 0.5f}));
  ScopedClock clock;
  ScopedAudioDriver driver("no-such-driver");
  SoundSystem* system = nullptr;
  snd_System_Create(&system);
  testing::internal::CaptureStdout();
  ASSERT_EQ(snd_System_Init(system, 32, 0, nullptr), SND_OK);
  std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1);
  EXPECT_NE(printed.find("no audio device"), std::string::npos);

  Sound* song = nullptr;
  AudioChannel* channel = nullptr;
  ASSERT_EQ(snd_System_CreateSound(system, tree.path("song.wav").c_str(), 0, nullptr, &song), SND_OK);
  ASSERT_EQ(snd_System_PlaySound(system, SND_CHANNEL_REUSE, song, false, &channel), SND_OK);
  unsigned position = 0;
  clock.advance(1234);
  snd_Channel_GetPosition(channel, &position, SND_TIMEUNIT_MS);
  EXPECT_EQ(position, 1234u);
  snd_Channel_SetPaused(channel, true);
  clock.advance(500);
  snd_System_Update(system);
  snd_Channel_GetPosition(channel, &position, SND_TIMEUNIT_MS);
  EXPECT_EQ(position, 1234u);
  snd_Channel_SetPaused(channel, false);
  clock.advance(5000);
  bool playing = true;
  snd_Channel_IsPlaying(channel, &playing);
  EXPECT_FALSE(playing);
  snd_Channel_GetPosition(channel, &position, SND_TIMEUNIT_MS);
  EXPECT_EQ(position, 2000u);
  EXPECT_EQ(snd_System_Release(system), SND_OK);
}
