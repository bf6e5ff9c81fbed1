// Tarnveld's song written as Ogg Vorbis: it reads back through libsndfile and through the
// engine's own decoder with the song's length, the same samples always give the same bytes,
// and a write that cannot happen says why.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "demosys/sound/SoundDecoder.h"
#include "resources/generators/song/OggPages.h"
#include "resources/generators/song/OggWriter.h"
#include "resources/generators/song/SongRenderer.h"
#include "resources/generators/song/TarnveldComposition.h"
#include "tests/support/TempTree.h"

TEST(TarnveldSongOgg, WholeSongReadsBackWithItsLength) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  SongArrangement song = TarnveldComposition::compose();
  std::vector<float> stereo = SongRenderer(song).renderSong();
  ASSERT_EQ(stereo.size(), 2u * 180u * 44100u);
  OggWriter writer;
  ASSERT_TRUE(writer.write(tree.path("tarnveld.ogg"), stereo)) << writer.getErrorMessage();

  SF_INFO info = {};
  SNDFILE* file = sf_open(tree.path("tarnveld.ogg").c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  sf_close(file);
  EXPECT_EQ(info.format, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.samplerate, 44100);
  EXPECT_NEAR(static_cast<double>(info.frames) / info.samplerate, 180.0, 0.1);

  std::string bytes = tree.read("tarnveld.ogg");
  std::vector<float> decoded;
  uint32_t lengthMs = 0;
  ASSERT_EQ(SoundDecoder::decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), decoded,
                                 lengthMs),
            SND_OK);
  EXPECT_NEAR(lengthMs, 180000.0, 100.0);
}

namespace {

std::vector<float> tone(double seconds) {
  std::vector<float> stereo(2 * static_cast<std::size_t>(seconds * 44100));
  for (std::size_t i = 0; i < stereo.size(); ++i) stereo[i] = 0.5f * static_cast<float>(std::sin(i * 0.02));
  return stereo;
}

}  // namespace

// The encoder's stream serial comes from the clock; the written file must not.
TEST(TarnveldSongOgg, SameSamplesGiveTheSameBytes) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  OggWriter writer;
  ASSERT_TRUE(writer.write(tree.path("a.ogg"), tone(3.0))) << writer.getErrorMessage();
  usleep(20000);
  ASSERT_TRUE(writer.write(tree.path("b.ogg"), tone(3.0))) << writer.getErrorMessage();
  std::string first = tree.read("a.ogg");
  ASSERT_GT(first.size(), 100u);
  EXPECT_EQ(first.substr(14, 4), "TRNV");
  EXPECT_TRUE(first == tree.read("b.ogg"));

  SF_INFO info = {};
  SNDFILE* file = sf_open(tree.path("a.ogg").c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<float> decoded(2 * 44100 * 4);
  sf_count_t frames = sf_readf_float(file, decoded.data(), 44100 * 4);
  sf_close(file);
  EXPECT_EQ(frames, 3 * 44100);
}

TEST(TarnveldSongOgg, PagesThatDoNotAddUpAreRefused) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
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

TEST(TarnveldSongOgg, UnwritablePathIsReported) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  OggWriter writer;
  std::string path = tree.path("missing/folder/song.ogg");
  EXPECT_FALSE(writer.write(path, std::vector<float>(2000, 0.0f)));
  EXPECT_EQ(writer.getErrorMessage().rfind("Failed to write '" + path + "'\n", 0), 0u)
      << writer.getErrorMessage();
}
