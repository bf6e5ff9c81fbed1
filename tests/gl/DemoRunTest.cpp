// Runs the tarnveld program on a fixture production under the virtual X screen: the console lines
// of a whole run in order, from the directory tree and from the archive, and how failed loads are
// reported at shut-down.
#include <gtest/gtest.h>

#include "tests/gl/DemoProduction.h"

namespace {

void expectLines(const ProgramRun& run, const std::vector<std::string>& prefixes) {
  std::string missing;
  EXPECT_TRUE(run.inOrder(prefixes, &missing)) << "missing or out of order: '" << missing << "'\n" << run.out;
}

// A failed load ends in the shut-down report with the loader's text, and exit status 0.
void expectFailure(const ProgramRun& run, const std::string& loaderText) {
  EXPECT_EQ(run.status, 0) << run.out;
  expectLines(run, {"[Shutting Down]", "Message from demosys :", "Message from resourceloader", loaderText,
                    "[Deleting Pools]", "QNVDemosys::shutdown()", "[Application End]"});
  EXPECT_EQ(run.out.find("[Demo Init]"), std::string::npos) << run.out;
}

class DemoRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(production.ok()); }
  DemoProduction production;
};

TEST_F(DemoRun, RunsToItsStopTimeWithEveryStageInOrder) {
  ProgramRun run = production.runDemo();
  EXPECT_EQ(run.status, 0);
  expectLines(run, fixtureRunLines());
  EXPECT_EQ(run.count("[Application End]"), 1);
  EXPECT_EQ(run.out.find("Message from"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("Load : resources/graphics/logo.png\nLoad :"), std::string::npos)
      << "the second entry naming the same file is skipped";
}

TEST_F(DemoRun, RunsFromTheArchiveAlone) {
  ASSERT_TRUE(production.archiveOnly());
  ProgramRun run = production.runDemo();
  EXPECT_EQ(run.status, 0);
  expectLines(run, fixtureRunLines());
}

TEST_F(DemoRun, StopBeforeStartDrawsOneFrame) {
  production.setBlock("system", "start = 0:00:100; stop = 0:00:050;");
  production.setBlock("sound", "");
  production.writeScript();
  ProgramRun run = production.runDemo();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.count("Fallback draw method! This should never happen!"), 1) << run.out;
  expectLines(run, {"[Demo Init]", "Duration : (0000000100)-[00:00:100]", "FPS = ", "[Application End]"});
}

TEST_F(DemoRun, ScriptNamedOnTheCommandLine) {
  production.write("resources/scripts/other.txt", production.read("resources/scripts/demoscript.txt"));
  production.write("resources/scripts/demoscript.txt", "not a script");
  ProgramRun run = production.runDemo("other.txt");
  EXPECT_EQ(run.status, 0);
  expectLines(run, fixtureRunLines());
}

TEST_F(DemoRun, ScriptThatFailsToParse) {
  production.write("resources/scripts/demoscript.txt", "{QNVDS1}\nbroken {");
  ProgramRun run = production.runDemo();
  expectFailure(run, "");
  EXPECT_EQ(run.out.find("[Supported OpenGL Extensions]"), std::string::npos) << "no window for a bad script";
}

TEST_F(DemoRun, FramebufferSyntaxErrors) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"t = width, height;", "Wrong number of parameters in framebuffer block"},
      {"t = 12x, 64, COLOR_BUFFER;", "Frambuffer width is not an int"},
      {"t = 64, tall, COLOR_BUFFER;", "Frambuffer height is not an int"},
      {"t = width, 256, COLOUR_BUFFER;", "Wrong parameter for framebuffer 't'"},
      {"t = width, 256, COLOR_BUFFER, STENCIL_BUFFER;", "Wrong parameter for framebuffer 't'"},
  };
  for (const auto& c : cases) {
    production.setBlock("framebuffers", c.first);
    production.writeScript();
    SCOPED_TRACE(c.first);
    expectFailure(production.runDemo(), c.second);
  }
}

TEST_F(DemoRun, MissingOrBrokenResources) {
  DemoProduction missingBinary;
  missingBinary.setBlock("binary", "blob = nothing.bin;");
  missingBinary.writeScript();
  ProgramRun run = missingBinary.runDemo();
  expectFailure(run, "Failed to binary data!");
  expectLines(run, {"Failed to binary data!", "File : 'resources/misc/nothing.bin'"});

  DemoProduction notAnImage;
  notAnImage.write("resources/graphics/logo.png", "these bytes are no picture");
  run = notAnImage.runDemo();
  expectFailure(run, "Failed to load texture!");
  expectLines(run, {"Failed to load texture!", "File : 'resources/graphics/logo.png'"});

  DemoProduction badShader;
  badShader.write("resources/shaders/flat.frag", "void main() { this is not glsl }\n");
  expectFailure(badShader.runDemo(), "");

  production.write("resources/tracks/track.data", "xx");
  run = production.runDemo();
  expectFailure(run, "");
  EXPECT_NE(run.out.find("track.data"), std::string::npos) << run.out;
}
}  // namespace
