// `demosys render`: sizes, frame counts, videos with the song, and the GL tools' own virtual screen.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>

#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"
#include "tests/support/TempTree.h"

namespace {

// ffprobe's answer for the given entries of the file's streams of one kind (v or a), one stream a line.
std::string probe(std::string file, const std::string& kind, const std::string& entries) {
  for (std::size_t at = file.find('\''); at != std::string::npos; at = file.find('\'', at + 4))
    file.replace(at, 1, "'\\''");
  return runCommand("ffprobe -v error -count_frames -select_streams " + kind + " -show_entries stream=" +
                    entries + " -of csv=p=0 '" + file + "'");
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(production.ok()); }
  DemoProduction production;
};

// The fixture's effects draw nothing of their own, so each frame is the cleared screen: black in
// the 16:9 band and in the bands above and below it.
TEST_F(RenderCommand, SingleFramesHaveTheSizeAskedForAndShowTheClearedScreen) {
  ProgramRun run = production.runTool("render --size 160x120 --at 0:00:050 --at 120 --out .");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Rendered 2 frames"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("[Demo Init]"), std::string::npos) << "loaded as the demo loads";
  for (const char* name : {"000000.png", "000001.png"}) {
    Image image(production.path(name));
    ASSERT_EQ(image.getWidth(), 160) << name;
    ASSERT_EQ(image.getHeight(), 120) << name;
    const unsigned char* p = image.getData();
    ASSERT_NE(p, nullptr);
    for (std::size_t i = 0; i < image.getDataSize(); ++i) ASSERT_EQ(p[i], 0) << name << " byte " << i;
  }
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

// The song's audio follows the container (AAC in MP4, Vorbis in Matroska), from the tree or the
// archive, over the rendered range; no song, no audio stream. The encoder gets the video's name as
// it is, quote and space included.
TEST_F(RenderCommand, VideosCarryTheFramesAndTheSong) {
  const struct {
    const char* options;
    const char* file;
    const char* video;  // width,height,frames as ffprobe gives them
    const char* audio;  // codec, or empty for none
    double seconds;
  } videos[] = {{"--size 160x120 --fps 10 --from 0 --to 900", "out.mp4", "160,120,10\n", "aac", 1.0},
                {"--size 64x36 --fps 10 --from 500 --to 800", "out.mkv", "64,36,4\n", "vorbis", -1},
                {"--size 64x36 --fps 10 --to 200", "it's quiet.mp4", "64,36,3\n", "", -1},
                {"--archive --size 64x36 --fps 10 --to 400", "archive.mp4", "64,36,5\n", "aac", 0.5}};
  ASSERT_TRUE(production.archiveOnly());  // made before the song is turned off; the tree is put back
  std::filesystem::rename(production.path("resources-packed"), production.path("resources"));
  for (const auto& v : videos) {
    SCOPED_TRACE(v.file);
    if (v.audio[0] == '\0') {
      production.setBlock("sound", "file = song.wav; play = 0;");
      production.writeScript();
    }
    if (std::string(v.options).rfind("--archive", 0) == 0)
      std::filesystem::rename(production.path("resources"), production.path("resources-packed"));
    ProgramRun run = production.runTool(std::string("render ") + v.options + " --video \"" + v.file + "\"");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(probe(production.path(v.file), "v", "width,height,nb_read_frames"), v.video);
    const std::string audio = probe(production.path(v.file), "a", "codec_name,duration");
    EXPECT_EQ(audio.substr(0, audio.find(',')), v.audio) << audio;
    EXPECT_EQ(std::count(audio.begin(), audio.end(), '\n'), v.audio[0] == '\0' ? 0 : 1) << "one audio stream: " << audio;
    if (v.seconds > 0) {
      EXPECT_NEAR(std::stod(audio.substr(audio.find(',') + 1)), v.seconds, 0.05) << audio;
    }
  }
}

// The camera lens sets the view's field in its predraw, for the frame after: Tarnveld's zoom.
TEST(RenderCapture, FrameDrawnAloneIsTheFrameOfTheSequence) {
  TempTree out;
  ASSERT_TRUE(out.ok());
  const std::string render = "'" + std::string(DEMOSYS_TOOL_PATH) + "' render --root '" +
                             buildTreePath("tarnveld") + "' --size 320x180 --fps 8 ";
  int status = -1;
  runCommand(render + "--from 0:15:000 --to 0:15:500 --out '" + out.path("sequence") + "'", &status);
  ASSERT_EQ(status, 0);
  runCommand(render + "--at 0:15:500 --out '" + out.path("alone") + "'", &status);
  ASSERT_EQ(status, 0);
  const std::string last = out.read("sequence/000004.png");
  EXPECT_FALSE(last.empty());
  EXPECT_TRUE(last == out.read("alone/000000.png")) << "the frame at 0:15:500 differs when drawn alone";
}

TEST(RenderCapture, ProgressLineOnlyOnATerminal) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  const std::string render = "render --size 64x36 --at 0 --at 50 --at 100 --out .";
  const ProgramRun piped = production.runTool(render);
  ASSERT_EQ(piped.status, 0) << piped.out;
  EXPECT_EQ(piped.out.find(" fps "), std::string::npos) << piped.out;
  // script(1) gives the tool a terminal and copies what it writes there.
  const std::string onTerminal =
      runCommand("cd '" + production.path("") + "' && script -qec \"'" + std::string(DEMOSYS_TOOL_PATH) + "' " +
                 render + "\" /dev/null");
  EXPECT_NE(onTerminal.find("frame 3/3"), std::string::npos) << onTerminal;
}

TEST(VirtualScreen, GLToolsWorkWithoutADisplay) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  const std::pair<const char*, const char*> runs[] = {{"pack script", "packresources.sh"},
                                                      {"render --size 64x36 --at 0 --out .", "000000.png"}};
  for (const auto& run : runs) {
    // The display is taken away from the tool alone; the tests' own X server stays.
    int status = -1;
    const std::string out = runCommand("cd '" + production.path("") + "' && env -u DISPLAY timeout 60 '" +
                                           DEMOSYS_TOOL_PATH + "' " + run.first + " 2>&1",
                                       &status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << run.first << "\n" << out;
    EXPECT_TRUE(std::filesystem::exists(production.path(run.second))) << run.first << "\n" << out;
  }
}

}  // namespace
