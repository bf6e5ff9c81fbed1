// `demosys render` on the fixture production: the same frames on every run, the window size and
// frame count asked for, the letterboxed picture, and videos with the song muxed in.
#include <gtest/gtest.h>

#include <filesystem>

#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"

namespace {

// ffprobe's answer for the given entries of the file's streams of one kind (v or a), one stream a line.
std::string probe(const std::string& file, const std::string& kind, const std::string& entries) {
  return runCommand("ffprobe -v error -count_frames -select_streams " + kind + " -show_entries stream=" +
                    entries + " -of csv=p=0 '" + file + "'");
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(production.ok()); }
  DemoProduction production;
};

TEST_F(RenderCommand, SingleFramesAreTheSameOnEveryRun) {
  ProgramRun first = production.runTool("render --size 160x120 --at 0:00:050 --at 120 --out .");
  ASSERT_EQ(first.status, 0) << first.out;
  std::string frame0 = production.read("000000.png");
  std::string frame1 = production.read("000001.png");
  ProgramRun second = production.runTool("render --size 160x120 --at 0:00:050 --at 120 --out .");
  ASSERT_EQ(second.status, 0) << second.out;
  EXPECT_FALSE(frame0.empty());
  EXPECT_EQ(production.read("000000.png"), frame0);
  EXPECT_EQ(production.read("000001.png"), frame1);
  EXPECT_NE(first.out.find("Rendered 2 frames"), std::string::npos) << first.out;
  EXPECT_NE(first.out.find("[Demo Init]"), std::string::npos) << "loaded as the demo loads";
}

// The fixture's effects draw nothing of their own, so the frame is the cleared screen: black in
// the 16:9 band and in the bands above and below it.
TEST_F(RenderCommand, FrameHasTheSizeAskedForAndShowsTheClearedScreen) {
  ProgramRun run = production.runTool("render --size 160x120 --at 0 --out .");
  ASSERT_EQ(run.status, 0) << run.out;
  Image image(production.path("000000.png"));
  ASSERT_EQ(image.getWidth(), 160);
  ASSERT_EQ(image.getHeight(), 120);
  const unsigned char* p = image.getData();
  ASSERT_NE(p, nullptr);
  for (std::size_t i = 0; i < image.getDataSize(); ++i) ASSERT_EQ(p[i], 0) << "byte " << i;
}

// The frames' folder is made when missing; the run ends with its frame-time statistics.
TEST_F(RenderCommand, RangeAtAFixedStep) {
  ProgramRun run = production.runTool("render --size 64x36 --fps 25 --from 0:00:100 --to 260 --out new/frames");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Rendered 5 frames"), std::string::npos) << run.out;
  EXPECT_TRUE(std::filesystem::exists(production.path("new/frames/000004.png")));
  EXPECT_FALSE(std::filesystem::exists(production.path("new/frames/000005.png")));
  EXPECT_NE(run.out.find("Frame time : median "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(" (5 frames)"), std::string::npos) << run.out;
}

TEST_F(RenderCommand, VideoCarriesTheFramesAndTheSong) {
  ProgramRun run = production.runTool("render --size 160x120 --fps 10 --from 0 --to 900 --video out.mp4");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(probe(production.path("out.mp4"), "v", "width,height,nb_read_frames"), "160,120,10\n");
  std::string audio = probe(production.path("out.mp4"), "a", "codec_name,duration");
  ASSERT_EQ(audio.rfind("aac,", 0), 0u) << audio;
  EXPECT_NEAR(std::stod(audio.substr(4)), 1.0, 0.05) << audio;
  EXPECT_EQ(audio.find('\n'), audio.size() - 1) << "one audio stream: " << audio;
}

TEST_F(RenderCommand, VideoAudioFollowsTheContainerAndTheSong) {
  ProgramRun run = production.runTool("render --size 64x36 --fps 10 --from 500 --to 800 --video out.mkv");
  ASSERT_EQ(run.status, 0) << run.out;
  std::string audio = probe(production.path("out.mkv"), "a", "codec_name");
  EXPECT_EQ(audio, "vorbis\n");
  production.setBlock("sound", "file = song.wav; play = 0;");
  production.writeScript();
  run = production.runTool("render --size 64x36 --fps 10 --to 200 --video quiet.mp4");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(probe(production.path("quiet.mp4"), "v", "nb_read_frames"), "3\n");
  EXPECT_EQ(probe(production.path("quiet.mp4"), "a", "codec_name"), "") << "no song, no audio";
}

TEST_F(RenderCommand, VideoFromTheArchiveCarriesTheSongToo) {
  ASSERT_TRUE(production.archiveOnly());
  ProgramRun run = production.runTool("render --archive --size 64x36 --fps 10 --to 400 --video out.mp4");
  ASSERT_EQ(run.status, 0) << run.out;
  std::string audio = probe(production.path("out.mp4"), "a", "codec_name,duration");
  ASSERT_EQ(audio.rfind("aac,", 0), 0u) << audio;
  EXPECT_NEAR(std::stod(audio.substr(4)), 0.5, 0.05) << audio;
}

}  // namespace
