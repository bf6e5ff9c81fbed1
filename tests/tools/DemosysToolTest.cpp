// Runs the built `demosys` tool as a user would and checks its output and exit status.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/ToolRun.h"

TEST(DemosysTool, HelpListsSubcommands) {
  ToolRun r = ToolRun::of("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("version"), std::string::npos);
}

TEST(DemosysTool, VersionPrintsTheProjectVersion) {
  ToolRun r = ToolRun::of("version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("demosys ", 0), 0u);
}

TEST(DemosysTool, UnknownCommandFailsWithOneLine) {
  ToolRun r = ToolRun::of("frobnicate");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("unknown command 'frobnicate'"), std::string::npos);
}
