// Tarnveld's song written as Ogg Vorbis: the built file reads back through libsndfile and through
// the engine's own decoder with the song's length, the same samples always give the same bytes, a
// write that cannot happen says why, and pages that do not add up are refused.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "demosys/sound/SoundDecoder.h"
#include "qnvutils/File.h"
#include "resources/generators/song/OggPages.h"
#include "resources/generators/song/OggWriter.h"
#include "tests/support/BuildTree.h"
#include "tests/support/TempTree.h"

namespace {

std::vector<float> tone(double seconds) {
  std::vector<float> stereo(2 * static_cast<std::size_t>(seconds * 44100));
  for (std::size_t i = 0; i < stereo.size(); ++i) stereo[i] = 0.5f * static_cast<float>(std::sin(i * 0.02));
  return stereo;
}

}  // namespace

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
