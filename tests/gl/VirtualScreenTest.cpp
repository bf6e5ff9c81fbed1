// The GL tools on a machine without a display: each starts its own virtual screen and works as it
// does under a desktop.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"

namespace {

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
