// What the build assembles (build/tarnveld/) and the committed pages made from it agree with what
// the tool reads and prints; the timeline dump builds the same pack again, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "qnvutils/File.h"
#include "tests/support/BuildTree.h"
#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

namespace {

const std::string& productionTree() {
  static const std::string tree = buildTreePath("tarnveld");
  return tree;
}

std::string contents(const std::string& path) { return File(path, File::MODE_READ).getAsString(); }

TEST(TarnveldContent, DemoScriptPassesTheLinterFromTheTreeAndTheArchive) {
  ASSERT_TRUE(std::filesystem::exists(productionTree() + "/resources/scripts/demoscript.txt"))
      << "build the project first: " << productionTree();
  ToolRun tree = ToolRun::of("check --root '" + productionTree() + "'");
  EXPECT_EQ(tree.status, 0) << tree.out;
  // Nothing to warn about either: the instances the arena draws inside its view need no start.
  EXPECT_EQ(tree.out.find("warning:"), std::string::npos) << tree.out;
  ToolRun archive = ToolRun::of("check --archive --root '" + productionTree() + "'");
  EXPECT_EQ(archive.status, 0) << archive.out;
}

TEST(TarnveldContent, TimelineDumpBuildsTheSamePack) {
  const std::string pack = productionTree() + "/resources/tracks";
  ASSERT_TRUE(std::filesystem::exists(pack + "/index.list")) << "build the project first";
  TempTree scratch;
  ASSERT_TRUE(scratch.ok());
  ToolRun dump = ToolRun::of("tracks dump '" + pack + "'", false);
  ASSERT_EQ(dump.status, 0);
  EXPECT_NE(dump.out.find("effect glow "), std::string::npos) << dump.out;
  scratch.write("timeline.txt", dump.out);
  ToolRun build = ToolRun::of("tracks build '" + scratch.path("timeline.txt") + "' '" + scratch.path("pack") + "'");
  ASSERT_EQ(build.status, 0) << build.out;
  EXPECT_EQ(contents(scratch.path("pack/index.list")), contents(pack + "/index.list"));
  EXPECT_EQ(contents(scratch.path("pack/track.data")), contents(pack + "/track.data"));
}

// The committed effect reference is what `demosys effects --markdown` prints, so it cannot drift
// from the classes.
TEST(EffectsReference, CommittedPageIsTheToolsOutput) {
  const std::string source = DEMOSYS_SOURCE_DIR;
  ToolRun r = ToolRun::of("effects --markdown --root '" + source + "'", false);
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(r.out == contents(source + "/docs/effects.md"))
      << "docs/effects.md is out of date; regenerate it from the source root with:\n"
         "  build/tools/demosys effects --markdown > docs/effects.md";
  // The uniforms come from scanning the effects' sources: a scan that finds nothing would still
  // agree with a page regenerated from it.
  EXPECT_NE(r.out.find("Shader uniforms it sets: `buffer1`, `buffer1_factor`, `buffer2`, `buffer2_factor`."), std::string::npos);
}

}  // namespace
