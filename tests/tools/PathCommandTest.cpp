// `demosys path`: poses at a progress in both modes, the written form, and the refusals.
#include <gtest/gtest.h>

#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

TEST(PathCommand, EvaluatesPrintsAndRefuses) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  tree.write("fly.ani",
             "QNVANI1\r\nkeyframes 4\r\npos 0 0 0\r\nrot 0 0\r\npos 0 0 10\r\nrot 10 90\r\n"
             "pos 0 0 20\r\nrot 20 180\r\npos 0 0 30\r\nrot 30 270\r\n");
  tree.write("bad.ani", "QNVANI2\nkeyframes 0\n");
  const std::string fly = tree.path("fly.ani");
  struct Case {
    std::string args;
    int status;
    std::string out;
  } cases[] = {
      {"eval " + fly + " 0.5", 0, "position 0 0 15 pitch 15 heading 135\n"},
      {"eval " + fly + " 1", 1, "demosys path: " + fly + ": OUT OF RANGE 3\n"},
      {"eval " + fly + " 1 --catmull", 1, "demosys path: " + fly + ": OUT OF RANGE [0] -> 1\n"},
      {"eval " + tree.path("bad.ani") + " 0.5", 1,
       "demosys path: Error while loading animation data File : '" + tree.path("bad.ani") +
           "' have invalid header\n"},
      {"print " + fly, 0,
       "QNVANI1\nkeyframes 4\npos 0 0 0\nrot 0 0\npos 0 0 10\nrot 10 90\npos 0 0 20\nrot 20 180\n"
       "pos 0 0 30\nrot 30 270\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    ToolRun run = ToolRun::of("path " + c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
  }
}
