// The committed effect reference is what `demosys effects --markdown` prints, so it cannot drift
// from the classes.
#include <gtest/gtest.h>

#include <string>

#include "qnvutils/File.h"
#include "tests/support/ToolRun.h"

namespace {

const std::string SOURCE = DEMOSYS_SOURCE_DIR;

}  // namespace

TEST(EffectsReference, CommittedPageIsTheToolsOutput) {
  ToolRun r = ToolRun::of("effects --markdown --root '" + SOURCE + "'", false);
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(r.out == File(SOURCE + "/docs/effects.md", File::MODE_READ).getAsString())
      << "docs/effects.md is out of date; regenerate it from the source root with:\n"
         "  build/tools/demosys effects --markdown > docs/effects.md";
  // The uniforms come from scanning the effects' sources: a scan that finds nothing would still
  // agree with a page regenerated from it.
  EXPECT_NE(r.out.find("Shader uniforms it sets: `buffer1`, `buffer1_factor`, `buffer2`, `buffer2_factor`."), std::string::npos);
}
