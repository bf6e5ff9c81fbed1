// The golden-frame harness: reading the list of frames, and checking frames of the fixture
// production against a reference that matches, one that does not (with the diff picture), and
// one that is missing, without ever writing a reference.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/GoldenFrame.h"

namespace {

TEST(GoldenFrameList, ReadsNamesAndTimesSkippingCommentsAndBlankLines) {
  TempDir dir;
  dir.write("times.txt",
            "# name  time\n"
            "\n"
            "title 0:01:500   # the logo\n"
            "  drop_2\t1:02:000\n");
  std::vector<GoldenFrame> frames = GoldenFrame::readList(dir.file("times.txt"));
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].name, "title");
  EXPECT_EQ(frames[0].time, "0:01:500");
  EXPECT_EQ(frames[0].line, 3);
  EXPECT_TRUE(frames[0].problem.empty());
  EXPECT_EQ(frames[1].name, "drop_2");
  EXPECT_EQ(frames[1].time, "1:02:000");
}

// Bad lines still become frames, so the test run reports them instead of skipping them.
TEST(GoldenFrameList, BadLinesAndAMissingListBecomeFailingFrames) {
  TempDir dir;
  dir.write("times.txt",
            "title 0:01:500\n"
            "title 0:02:000\n"
            "no-dash 0:01:000\n"
            "late 1500\n"
            "alone\n");
  std::vector<GoldenFrame> frames = GoldenFrame::readList(dir.file("times.txt"));
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(frames[1].name, "line_2");
  EXPECT_EQ(frames[1].problem, dir.file("times.txt") + ":2: the name title is used twice");
  for (size_t i = 2; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].name, "line_" + std::to_string(i + 1));
    EXPECT_NE(frames[i].problem.find("expected NAME m:ss:mmm"), std::string::npos) << frames[i].problem;
  }
  EXPECT_EQ(GoldenFrameCheck{}.run(frames[4]),
            dir.file("times.txt") + ":5: expected NAME m:ss:mmm, found \"alone\"");

  std::vector<GoldenFrame> none = GoldenFrame::readList(dir.file("nothing.txt"));
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(none[0].problem, "cannot read " + dir.file("nothing.txt"));
}

class GoldenFrameCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(production.ok());
    check.root = production.path("");
    check.referenceDir = references.path();
    check.outDir = output.path();
    check.width = 160;
    check.height = 90;
  }

  // The fixture frame rendered by the tool itself, as scripts/update-golden makes references.
  void renderReference(const std::string& name, const std::string& time) {
    ProgramRun run = production.runTool("render --size 160x90 --at " + time + " --out " + references.path());
    ASSERT_EQ(run.status, 0) << run.out;
    std::filesystem::rename(references.file("000000.png"), references.file(name + ".png"));
  }

  DemoProduction production;
  TempDir references;
  TempDir output;
  GoldenFrameCheck check;
  const GoldenFrame frame{"opening", "0:00:100", 1, ""};
};

TEST_F(GoldenFrameCheckTest, FrameLikeItsReferencePasses) {
  renderReference("opening", "0:00:100");
  EXPECT_EQ(check.run(frame), "");
  EXPECT_TRUE(std::filesystem::exists(output.file("opening/000000.png")));
}

TEST_F(GoldenFrameCheckTest, DifferentFrameFailsNamingTheDiffPicture) {
  ASSERT_TRUE(writePNG(references.file("opening.png"), 160, 90, 3, std::vector<uint8_t>(160 * 90 * 3, 77)));
  std::string failure = check.run(frame);
  EXPECT_NE(failure.find("diff image: " + output.file("opening/diff.png")), std::string::npos) << failure;
  EXPECT_TRUE(std::filesystem::exists(output.file("opening/diff.png")));
}

TEST_F(GoldenFrameCheckTest, MissingReferenceFailsWithTheCommandThatMakesIt) {
  std::string failure = check.run(frame);
  EXPECT_NE(failure.find("no reference picture " + references.file("opening.png") +
                         ": make it with scripts/update-golden opening"),
            std::string::npos)
      << failure;
  EXPECT_FALSE(std::filesystem::exists(references.file("opening.png"))) << "the check never writes one";
}

TEST_F(GoldenFrameCheckTest, MissingProductionOrFailedRenderFails) {
  renderReference("opening", "0:00:100");
  GoldenFrameCheck elsewhere = check;
  elsewhere.root = output.file("nowhere");
  EXPECT_NE(elsewhere.run(frame).find("no production at " + output.file("nowhere")), std::string::npos);

  production.setBlock("binary", "blob = nothing.bin;");
  production.writeScript();
  std::string failure = check.run(frame);
  EXPECT_NE(failure.find("ended with status 1"), std::string::npos) << failure;
}

}  // namespace
