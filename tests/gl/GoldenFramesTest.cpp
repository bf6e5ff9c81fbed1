// Golden frames: Tarnveld's, every frame of tests/golden/times.txt rendered from the production
// the build assembled and compared with tests/golden/NAME.png (a failing frame leaves its render
// and a diff picture in golden/NAME/ under the tests' working directory); and the harness itself:
// bad list lines become failing frames, the comparison's allowance, a check that writes no reference.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/GoldenFrame.h"
#include "tests/gl/GoldenImage.h"
#include "tests/support/BuildTree.h"

namespace {

const std::string goldenDir = std::string(DEMOSYS_SOURCE_DIR) + "/tests/golden";

class TarnveldGolden : public ::testing::TestWithParam<GoldenFrame> {};

// The build assembles the production next to the tool.
TEST_P(TarnveldGolden, FrameMatchesItsReference) {
  GoldenFrameCheck check{buildTreePath("tarnveld"), goldenDir, "golden"};
  std::string failure = check.run(GetParam());
  if (!failure.empty()) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Frames, TarnveldGolden,
                         ::testing::ValuesIn(GoldenFrame::readList(goldenDir + "/times.txt")),
                         [](const ::testing::TestParamInfo<GoldenFrame>& info) { return info.param.name; });

// A list of comments only is a valid list of no frames.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TarnveldGolden);

TEST(GoldenHarness, ListGivesNamesAndTimesAndTurnsBadLinesIntoFailingFrames) {
  TempDir dir;
  dir.write("times.txt", "# name  time\n\ntitle 0:01:500   # the logo\n  drop_2\t1:02:000 from 1:01:000\n"
                         "title 0:02:000\nno-dash 0:01:000\nlate 1500\nalone\n");
  const std::vector<GoldenFrame> frames = GoldenFrame::readList(dir.file("times.txt"));
  ASSERT_EQ(frames.size(), 6u);
  EXPECT_EQ(frames[0].name + " " + frames[0].time + " " + std::to_string(frames[0].line) + frames[0].from,
            "title 0:01:500 3");
  EXPECT_EQ(frames[1].name + " " + frames[1].time + " " + frames[1].from, "drop_2 1:02:000 1:01:000");
  EXPECT_TRUE(frames[0].problem.empty() && frames[1].problem.empty());
  EXPECT_EQ(frames[2].name, "line_5");
  EXPECT_EQ(frames[2].problem, dir.file("times.txt") + ":5: the name title is used twice");
  for (size_t i = 3; i < frames.size(); ++i)
    EXPECT_NE(frames[i].problem.find("expected NAME m:ss:mmm"), std::string::npos) << frames[i].problem;
  EXPECT_EQ(GoldenFrameCheck{}.run(frames[5]), dir.file("times.txt") + ":8: expected NAME m:ss:mmm, found \"alone\"");
  const std::vector<GoldenFrame> none = GoldenFrame::readList(dir.file("nothing.txt"));
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(none[0].problem, "cannot read " + dir.file("nothing.txt"));
}

// 40 x 25 = 1000 pixels of grey 100: the default allowance is 5 pixels beyond 8 per channel.
TEST(GoldenHarness, ComparisonAllowsTheToleranceAndAHalfPercent) {
  TempDir dir;
  const int width = 40, height = 25;
  auto save = [&](const std::string& name, const std::vector<std::pair<int, uint8_t>>& changed) {
    std::vector<uint8_t> pixels(width * height * 3, 100);
    for (const auto& [x, grey] : changed) pixels[x * 3] = pixels[x * 3 + 1] = pixels[x * 3 + 2] = grey;
    EXPECT_TRUE(writePNG(dir.file(name), width, height, 3, pixels));
    return GoldenImage().compare(dir.file(name), dir.file("reference.png"), dir.file("diff.png"));
  };
  save("reference.png", {});
  const struct {
    std::vector<std::pair<int, uint8_t>> changed;  // pixels of the top row
    bool matches;
    long differing;
  } cases[] = {{{{0, 108}, {1, 92}, {2, 108}}, true, 0},
               {{{0, 109}, {1, 109}, {2, 91}, {3, 91}, {4, 109}}, true, 5},
               {{{0, 109}, {1, 109}, {2, 91}, {3, 91}, {4, 109}, {5, 91}}, false, 6}};
  for (const auto& c : cases) {
    const GoldenComparison result = save("frame.png", c.changed);
    EXPECT_EQ(result.matches, c.matches) << result.message;
    EXPECT_EQ(result.differing, c.differing);
    EXPECT_EQ(result.total, 1000);
  }
  EXPECT_FALSE(GoldenImage(1, 0.0).compare(dir.file("frame.png"), dir.file("reference.png"), dir.file("d.png")).matches);
  // A strict comparison names the count and where the diff picture went.
  EXPECT_TRUE(save("frame.png", {{0, 200}, {9, 200}}).matches);
  const GoldenComparison strict =
      GoldenImage(8, 0.0).compare(dir.file("frame.png"), dir.file("reference.png"), dir.file("diff.png"));
  EXPECT_NE(strict.message.find("2 of 1000 pixels"), std::string::npos) << strict.message;
  EXPECT_NE(strict.message.find("diff image: " + dir.file("diff.png")), std::string::npos) << strict.message;
  EXPECT_EQ(GoldenImage().compare(dir.file("none.png"), dir.file("reference.png"), "").message,
            "cannot read the frame " + dir.file("none.png"));
  EXPECT_EQ(GoldenImage().compare(dir.file("frame.png"), dir.file("none.png"), "").message,
            "cannot read the reference " + dir.file("none.png"));
  ASSERT_TRUE(writePNG(dir.file("small.png"), 4, 4, 3, std::vector<uint8_t>(48, 100)));
  const GoldenComparison sizes = GoldenImage().compare(dir.file("frame.png"), dir.file("small.png"), "");
  EXPECT_FALSE(sizes.matches);
  EXPECT_NE(sizes.message.find("is 40x25, the reference " + dir.file("small.png") + " 4x4"), std::string::npos);
}

TEST(GoldenHarness, FrameCheckPassesFailsWithTheDiffOrTheMissingReferenceAndNeverWritesOne) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  TempDir references, output;
  GoldenFrameCheck check{production.path(""), references.path(), output.path(), 160, 90};
  const GoldenFrame frame{"opening", "0:00:100", 1, "", ""};
  EXPECT_NE(check.run(frame).find("no reference picture " + references.file("opening.png") +
                                  ": make it with scripts/update-golden opening"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(references.file("opening.png"))) << "the check never writes one";

  ASSERT_TRUE(writePNG(references.file("opening.png"), 160, 90, 3, std::vector<uint8_t>(160 * 90 * 3, 77)));
  EXPECT_NE(check.run(frame).find("diff image: " + output.file("opening/diff.png")), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(output.file("opening/diff.png")));

  // A reference rendered by the tool itself, as scripts/update-golden makes them.
  ProgramRun run = production.runTool("render --size 160x90 --at 0:00:100 --out " + references.path());
  ASSERT_EQ(run.status, 0) << run.out;
  std::filesystem::rename(references.file("000000.png"), references.file("opening.png"));
  EXPECT_EQ(check.run(frame), "");
  EXPECT_TRUE(std::filesystem::exists(output.file("opening/000000.png")));

  GoldenFrameCheck elsewhere = check;
  elsewhere.root = output.file("nowhere");
  EXPECT_NE(elsewhere.run(frame).find("no production at " + output.file("nowhere")), std::string::npos);
  production.setBlock("binary", "blob = nothing.bin;");
  production.writeScript();
  EXPECT_NE(check.run(frame).find("ended with status 1"), std::string::npos);
}

}  // namespace
