// The committed effect reference is what `demosys effects --markdown` prints, so it cannot drift
// from the classes; a class the table lacks is refused by name.
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

TEST(EffectsReference, OneClassOrAnUnknownName) {
  ToolRun glow = ToolRun::of("effects --root '" + SOURCE + "' GlowEffect");
  EXPECT_EQ(glow.status, 0);
  EXPECT_EQ(glow.out.rfind("GlowEffect\n", 0), 0u) << glow.out;
  EXPECT_NE(glow.out.find("framebuffer named by parameter source_fbo"), std::string::npos) << glow.out;
  ToolRun unknown = ToolRun::of("effects --root '" + SOURCE + "' GlowEfect");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "demosys effects: no effect class 'GlowEfect'\n");
}
