// `demosys pack script` and `pack build` on the fixture production: the packing script's exact
// text, and an archive built with it from which the demo runs alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/gl/DemoProduction.h"

namespace {

std::string line(const std::string& path) {
  return "7za a -ms=off -mx=9  resources.7z " + path + " >> resources.7z.log \n";
}

class PackScript : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(production.ok()); }
  DemoProduction production;
};

TEST_F(PackScript, ListsEverythingTheLoadedDemoReads) {
  ProgramRun run = production.runTool("pack script --out pack.sh");
  ASSERT_EQ(run.status, 0) << run.out;
  std::string expected = "rm  resources.7z \nrm resources.7z.log\n" + line("resources/sound/song.wav") +
                         line("resources/scripts/demoscript.txt") + line("resources/definitions/*") +
                         line("resources/graphics/logo.png") + line("resources/misc/blob.bin") +
                         line("resources/shaders/flat.vert") + line("resources/shaders/flat.frag") +
                         line("resources/tracks/index.list") + line("resources/tracks/track.data") +
                         line("resources/graphics/Loading1.png") + line("resources/graphics/Loading2.png");
  EXPECT_EQ(production.read("pack.sh"), expected);
}

TEST_F(PackScript, BuiltArchiveRunsTheDemoAlone) {
  ASSERT_EQ(production.runTool("pack script").status, 0);
  ProgramRun build = production.runTool("pack build");
  ASSERT_EQ(build.status, 0) << build.out;
  std::filesystem::rename(production.path("resources"), production.path("moved-away"));
  ProgramRun run = production.runDemo();
  EXPECT_EQ(run.status, 0);
  std::string missing;
  EXPECT_TRUE(run.inOrder(fixtureRunLines(), &missing)) << missing << "\n" << run.out;
}

TEST_F(PackScript, FailedLoadWritesNoScript) {
  production.setBlock("binary", "blob = nothing.bin;");
  production.writeScript();
  EXPECT_EQ(production.runTool("pack script").status, 1);
  EXPECT_FALSE(std::filesystem::exists(production.path("packresources.sh")));
  EXPECT_EQ(production.runTool("pack build").status, 1);
}

}  // namespace

// Shared shader code reached through #include lines travels in the archive too, each file once,
// after the shader pairs; the archive alone then loads every shader.
TEST(PackScriptIncludes, CarriesEveryIncludedFileOnce) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  production.write("resources/shaders/include/white.glsl", "vec4 white() { return vec4(1.0); }\n");
  production.write("resources/shaders/include/nested.glsl", "#include include/white.glsl\n");
  production.write("resources/shaders/lit.vert", "void main() { gl_Position = ftransform(); }\n");
  production.write("resources/shaders/lit.frag",
                   "#include include/nested.glsl\nvoid main() { gl_FragColor = white(); }\n");
  production.write("resources/shaders/lit2.frag",
                   "#include include/white.glsl\nvoid main() { gl_FragColor = white(); }\n");
  production.write("resources/shaders/lit2.vert", "void main() { gl_Position = ftransform(); }\n");
  production.setBlock("shaders", "flat = flat; lit = lit; lit2 = lit2;");
  production.writeScript();
  ASSERT_EQ(production.runTool("pack script").status, 0);
  std::string script = production.read("packresources.sh");
  std::string pairs = line("resources/shaders/lit2.frag");
  std::string includes =
      line("resources/shaders/include/nested.glsl") + line("resources/shaders/include/white.glsl");
  EXPECT_NE(script.find(pairs + includes), std::string::npos) << script;
  ProgramRun build = production.runTool("pack build");
  ASSERT_EQ(build.status, 0) << build.out;
  std::filesystem::rename(production.path("resources"), production.path("moved-away"));
  ProgramRun run = production.runDemo();
  std::string missing;
  EXPECT_TRUE(run.inOrder(fixtureRunLines(), &missing)) << missing << "\n" << run.out;
}
