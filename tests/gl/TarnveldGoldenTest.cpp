// Golden frames of Tarnveld: every frame named in tests/golden/times.txt is rendered alone (or as the
// last of its played range) from the production the build assembled (<build>/tarnveld) at 640 x 360
// and compared with its reference picture tests/golden/NAME.png. A failing frame leaves the render and a diff picture in
// golden/NAME/ under the tests' working directory. References are made only by
// scripts/update-golden, never here.
#include <gtest/gtest.h>

#include <string>

#include "tests/gl/GoldenFrame.h"
#include "tests/support/BuildTree.h"

namespace {

const std::string goldenDir = std::string(DEMOSYS_SOURCE_DIR) + "/tests/golden";

// The build assembles the production next to the tool.
std::string productionRoot() { return buildTreePath("tarnveld"); }

class TarnveldGolden : public ::testing::TestWithParam<GoldenFrame> {};

TEST_P(TarnveldGolden, FrameMatchesItsReference) {
  GoldenFrameCheck check{productionRoot(), goldenDir, "golden"};
  std::string failure = check.run(GetParam());
  if (!failure.empty()) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Frames, TarnveldGolden,
                         ::testing::ValuesIn(GoldenFrame::readList(goldenDir + "/times.txt")),
                         [](const ::testing::TestParamInfo<GoldenFrame>& info) { return info.param.name; });

// A list of comments only is a valid list of no frames.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TarnveldGolden);

}  // namespace
