// The sound layer on its own: decoding songs from a path and from memory, channels and spectra.
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
    return guardedSpectrum(count, [&](float* out) {
      EXPECT_EQ(snd_Channel_GetSpectrum(channel, out, count, side, SND_SPECTRUM_WINDOW_HAMMING), SND_OK);
    });
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

}  // namespace

TEST_F(SoundLayer, EachFormatDecodesFromPathAndMemoryWithItsLengthAndPitch) {
  const Tone peak{binCentreHz(PEAK_BIN, BINS), 0.9f};
  const struct {
    const char* name;
    int format, rate;
    double seconds, tolerance;
    bool mono;
  } songs[] = {
      {"song.wav", WAV_FLOAT, 44100, 2.5, 0, false}, {"song.flac", FLAC_16, 48000, 1.25, 0, false},
      {"song.ogg", OGG_VORBIS, 44100, 2.0, 0, false}, {"song.opus", OGG_OPUS, 48000, 1.5, 25, false},
      {"song.mp3", MP3, 44100, 1.5, 60, false},       {"mono.wav", WAV_FLOAT, 22050, 0.5, 0, true},
  };
  for (const auto& s : songs) {
    ASSERT_TRUE(writeSong(tree.path(s.name), s.format, s.rate, s.seconds, peak, {}, s.mono)) << s.name;
    Sound* fromPath = load(s.name);
    EXPECT_NEAR(lengthOf(fromPath), s.seconds * 1000, s.tolerance) << s.name;
    EXPECT_EQ(lengthOf(loadFromMemory(tree.read(s.name))), lengthOf(fromPath)) << s.name;
  }
  // Resampled to the mixer's rate, the 48 kHz song keeps its pitch; mono is heard on both sides.
  std::vector<float> left = spectrum(parkedAt(load("song.flac"), 600), BINS, 0);
  EXPECT_EQ(loudestBin(left), PEAK_BIN);
  EXPECT_NEAR(left[PEAK_BIN], 0.9f, 0.03f);
  AudioChannel* mono = parkedAt(load("mono.wav"), 250);
  EXPECT_GT(spectrum(mono, BINS, 0)[PEAK_BIN], 0.5f);
  EXPECT_EQ(spectrum(mono, BINS, 0), spectrum(mono, BINS, 1));
  // Songs from memory sound as those from a path.
  ASSERT_TRUE(writeSong(tree.path("two.ogg"), OGG_VORBIS, 44100, 1.5, {1000, 0.7f}, {3000, 0.3f}));
  AudioChannel* a = parkedAt(load("two.ogg"), 900);
  AudioChannel* b = parkedAt(loadFromMemory(tree.read("two.ogg")), 900);
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

// A paused channel standing still is the music timer's test (FMODTimerTest), which plays and pauses
// the song on the silent output's clock.
TEST_F(SoundLayer, PositionsReadBackInMillisecondsUpToTheEnd) {
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 5.0, {440, 0.5f}, {440, 0.5f}));
  AudioChannel* channel = parkedAt(load("song.wav"), 0);
  EXPECT_TRUE(isPlaying(channel));
  for (unsigned ms : {0u, 1u, 7u, 999u, 4999u, 5000u}) {
    ASSERT_EQ(snd_Channel_SetPosition(channel, ms, SND_TIMEUNIT_MS), SND_OK);
    EXPECT_EQ(positionOf(channel), ms);
  }
  snd_Channel_SetPosition(channel, 99999, SND_TIMEUNIT_MS);
  EXPECT_EQ(positionOf(channel), 5000u);
  unsigned ignored;
  EXPECT_EQ(snd_Channel_GetPosition(channel, &ignored, 2), SND_ERR_INVALID_PARAM);
}

TEST_F(SoundLayer, ChannelsAreChosenFreeOrReusedAndStopWithTheirSong) {
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
  // Releasing a song stops its channels, and only its own.
  Sound* released = load("song.wav");
  AudioChannel* loses = taken[6];
  ASSERT_EQ(snd_System_PlaySound(system, SND_CHANNEL_REUSE, released, false, &loses), SND_OK);
  EXPECT_EQ(snd_Sound_Release(released), SND_OK);
  EXPECT_FALSE(isPlaying(loses));
  EXPECT_TRUE(isPlaying(taken[7]));
  std::vector<float> silent = spectrum(loses, 64, 0);
  EXPECT_EQ(*std::max_element(silent.begin(), silent.end()), 0.0f);
}

// Scale, window, sides, the analysis size and the silence before the song are the music timer's
// tests' (FMODTimerTest); here the counts the layer itself takes or refuses.
TEST_F(SoundLayer, SpectrumFillsAnyCountUpToTheMaximumAndRefusesWhatItCannotFill) {
  ASSERT_TRUE(writeSong(tree.path("song.wav"), WAV_FLOAT, 44100, 1.0, {binCentreHz(PEAK_BIN, BINS), 1.0f}, {}));
  AudioChannel* channel = parkedAt(load("song.wav"), 500);
  std::vector<float> ten = spectrum(channel, 10, 0), sixtyFour = spectrum(channel, 64, 0);
  EXPECT_EQ(ten, std::vector<float>(sixtyFour.begin(), sixtyFour.begin() + 10));
  std::vector<float> full = spectrum(channel, SND_SPECTRUM_MAX_BINS, 0);
  EXPECT_EQ(loudestBin(full), PEAK_BIN * SND_SPECTRUM_MAX_BINS / BINS);
  // Counts it cannot fill write nothing.
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
