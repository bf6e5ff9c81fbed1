// `demosys render` beyond its frames' content: a frame drawn alone is the frame of a sequence, the
// encoder gets the video's name as it is (quotes and spaces included, no shell between), and the
// progress line shows on a terminal only.
#include <gtest/gtest.h>

#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"
#include "tests/support/TempTree.h"

namespace {

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

TEST(RenderCapture, VideoNameWithQuoteAndSpaceReachesTheEncoder) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  const ProgramRun run = production.runTool("render --size 64x36 --from 0 --to 100 --video \"it's a demo.mp4\"");
  ASSERT_EQ(run.status, 0) << run.out;
  const std::string streams = runCommand("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 '" +
                                         production.path("") + "/it'\\''s a demo.mp4'");
  EXPECT_NE(streams.find("video"), std::string::npos) << streams;
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

}  // namespace
