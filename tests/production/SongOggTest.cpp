// Tarnveld's song written as Ogg Vorbis: it reads back through libsndfile and through the
// engine's own decoder with the song's length, and a write that cannot happen says why.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "demosys/sound/SoundDecoder.h"
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

TEST(TarnveldSongOgg, UnwritablePathIsReported) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  OggWriter writer;
  std::string path = tree.path("missing/folder/song.ogg");
  EXPECT_FALSE(writer.write(path, std::vector<float>(2000, 0.0f)));
  EXPECT_EQ(writer.getErrorMessage().rfind("Failed to write '" + path + "'\n", 0), 0u) << writer.getErrorMessage();
}
