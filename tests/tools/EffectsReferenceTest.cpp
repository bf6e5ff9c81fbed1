// The committed effect reference is what `demosys effects --markdown` prints, so it cannot drift
// from the classes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/ToolRun.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string SOURCE = DEMOSYS_SOURCE_DIR;

}  // namespace

TEST(EffectsReference, CommittedPageIsTheToolsOutput) {
  ToolRun r = ToolRun::of("effects --markdown --root '" + SOURCE + "'", false);
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(r.out == readFile(SOURCE + "/docs/effects.md"))
      << "docs/effects.md is out of date; regenerate it from the source root with:\n"
         "  build/tools/demosys effects --markdown > docs/effects.md";
}
