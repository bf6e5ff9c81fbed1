// `demosys tracks`: evaluation that matches the engine and the active list. Text to pack and back
// is checked on the production's timeline (TarnveldContent), refusals with the other commands.
#include <gtest/gtest.h>

#include <memory>

#include "demosys/core/QNVDemosys.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "demosys/timeline/TrackText.h"
#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

namespace {

const char* const TIMELINE =
    "# two effects\n"
    "rowrate 8\n"
    "effect post priority 2\n"
    "  start 0 screen\n"
    "  stop 0:30:000    # row 240\n"
    "effect scene priority 1\n"
    "  start 4 sceneFBO\n"
    "  stop 100\n"
    "  start 120\n"
    "  stop 130 type 7\n"
    "  track alpha\n"
    "    0 LINEAR 0\n"
    "    8 COSINE_OUT 1\n"
    "    16 COSINE_IN 0.25\n"
    "    24 RAMP -3\n"
    "    32 STEP 7.5\n"
    "    40 9 100\n"
    "  track \"spin rate\"\n"
    "    0 LINEAR 1e-3\n"
    "effect unused priority -1\n";

class TracksCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    tree.write("timeline.txt", TIMELINE);
    ToolRun built = ToolRun::of("tracks build " + quoted("timeline.txt") + " " + quoted("pack"));
    ASSERT_EQ(built.status, 0) << built.out;
  }
  std::string quoted(const std::string& relative) const { return "'" + tree.path(relative) + "'"; }

  TempTree tree;
};

}  // namespace

TEST_F(TracksCommand, EvalAgreesWithTheEngine) {
  TrackSystemIO io(tree.path("pack/"));
  testing::internal::CaptureStdout();
  std::unique_ptr<TrackSystem> system(io.readAllRecords());
  testing::internal::GetCapturedStdout();
  ASSERT_NE(system, nullptr) << io.getErrorMessage();
  const TrackInterpolate* alpha = system->getTrackGroupByName("scene")->getInterpolateTrackByName("alpha");
  for (int rate : {8, 1000}) {
    system->setRowRate(rate);
    QNVDemosys::tracks = system.get();
    for (unsigned time : {0u, 999u, 2040u, 4999u, 90000u}) {
      std::string expected = TrackText::formatValue(alpha->getValue(time)) + "\n";
      std::string args = "tracks eval " + quoted("pack") + " scene alpha " + std::to_string(time);
      EXPECT_EQ(ToolRun::of(args + " " + std::to_string(rate)).out, expected) << time << " at " << rate;
    }
    QNVDemosys::tracks = nullptr;
  }
  EXPECT_EQ(ToolRun::of("tracks eval " + quoted("pack") + " scene \"spin rate\" 0").out, "0.001\n");
}

TEST_F(TracksCommand, ActiveListsEffectsInDrawingOrderWithTargets) {
  EXPECT_EQ(ToolRun::of("tracks active " + quoted("pack") + " 50").out, "scene sceneFBO\npost screen\n");
  EXPECT_EQ(ToolRun::of("tracks active " + quoted("pack") + " 100").out, "scene sceneFBO\npost screen\n");
  EXPECT_EQ(ToolRun::of("tracks active " + quoted("pack") + " 110").out, "post screen\n");
  EXPECT_EQ(ToolRun::of("tracks active " + quoted("pack") + " 125").out, "scene screen\npost screen\n");
  ToolRun none = ToolRun::of("tracks active " + quoted("pack") + " 241");
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "");
}
