// The display the loader opens: the script's "screen" group, each case in its own window in a child
// process (the other GL tests' window must stay) that reports what differed; and the capability
// checks, the extensions the engine relies on and the checklist naming every missing one.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "demosys/core/Demo.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/GLExtensions.h"
#include "demosys/resources/ResourceLoader.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/TempTree.h"

namespace {

struct ScreenCase {
  const char* group;   // the script's "screen" group
  int width, height;   // what the launcher chose (0: nothing)
  bool overridden;     // the launcher's window choice overrides the script's "fullscreen"
  int chosenSamples;   // antialiasing the launcher chose (0: none)
  int window;          // expected window width x 10000 + height
  float nearPlane, farPlane;
  int samples;
  std::vector<std::string> lines, absentLines;
};

// Opens the display as the loader does and exits 0 when everything matched, 1 after printing what did not.
[[noreturn]] void openAndCompare(const ScreenCase& c) {
  TempTree tree;
  tree.write("resources/scripts/demoscript.txt", std::string("{QNVDS1}\nscreen {\n") + c.group + "\n}\n");
  tree.enter();
  ScreenMetrics metrics;
  metrics.setResolution(c.width, c.height);
  metrics.setFullscreen(false);
  metrics.setFullscreenOverride(c.overridden);
  if (c.chosenSamples != 0) metrics.setFSAASamples(c.chosenSamples);
  char program[] = "test";
  char* argv[] = {program, nullptr};
  std::ostringstream differences;
  testing::internal::CaptureStdout();
  int window = 0;
  {
    Demo demo(1, argv);
    if (!demo.getLoader()->parseConfig() || !demo.getLoader()->initScreen(&metrics, "screen test")) {
      differences << "the display did not open: " << demo.getLoader()->getErrorMessage() << "\n";
    } else if (SDL_GetVideoSurface() != nullptr) {
      window = SDL_GetVideoSurface()->w * 10000 + SDL_GetVideoSurface()->h;
    }
    demo.dispose();
  }
  const std::string printed = "\n" + testing::internal::GetCapturedStdout();
  auto expect = [&](const char* what, auto actual, auto expected) {
    if (!(actual == expected)) differences << what << ": " << actual << ", expected " << expected << "\n";
  };
  expect("window", window, c.window);
  expect("near", metrics.getNear(), c.nearPlane);
  expect("far", metrics.getFar(), c.farPlane);
  expect("samples", metrics.getFSAASamples(), c.samples);
  expect("fullscreen", metrics.isFullscreen(), false);
  for (const std::string& line : c.lines)
    if (printed.find("\n" + line + "\n") == std::string::npos) differences << "missing line '" << line << "'\n";
  for (const std::string& line : c.absentLines)
    if (printed.find("\n" + line + "\n") != std::string::npos) differences << "unexpected line '" << line << "'\n";
  std::cerr << differences.str();
  std::exit(differences.str().empty() ? 0 : 1);
}

const std::string noMode = "No screen mode set. Attempting to read from demoscript";
const std::string fallback = "No screen mode defined in demoscript. Doing fallback screenmode.";

TEST(ScreenModeTest, TheScriptsScreenGroupOpensTheDisplayWhereTheLauncherLeavesItTo) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const ScreenCase cases[] = {
      {"far = 250.5;", 320, 180, true, 0, 3200180, 1.0f, 250.5f, 0, {"FSAASamples : 0"}, {noMode}},
      {"width = 400; height = 300; near = 2;", 0, 0, true, 0, 4000300, 2.0f, 800.0f, 0, {noMode}, {fallback}},
      {"width = 400;", 0, 0, true, 0, 6400480, 1.0f, 800.0f, 0, {noMode, fallback}, {}},
      {"width = 400; height = 300;", 320, 180, true, 0, 3200180, 1.0f, 800.0f, 0, {}, {noMode}},
      // Only the count is read here: whether the window gets multisampling is the driver's affair.
      {"fsaa = 2;", 320, 180, true, 0, 3200180, 1.0f, 800.0f, 2, {"FSAASamples : 2"}, {}},
      {"fsaa = 2;", 320, 180, true, 8, 3200180, 1.0f, 800.0f, 8, {"FSAASamples : 8"}, {}},
      {"fullscreen = 1;", 320, 180, true, 0, 3200180, 1.0f, 800.0f, 0, {}, {}},
      {"fullscreen = 0;", 320, 180, false, 0, 3200180, 1.0f, 800.0f, 0, {}, {}},
  };
  for (const ScreenCase& c : cases) {
    EXPECT_EXIT(openAndCompare(c), testing::ExitedWithCode(0), "") << c.group << " with the launcher's " << c.width;
  }
}

using GLExtensionsTest = GLTestFixture;

TEST_F(GLExtensionsTest, FindsTheEngineExtensionsAndTheChecklistNamesEveryMissingOne) {
  GLExtensions extensions;
  for (const char* name : {"GL_EXT_framebuffer_object", "GL_ARB_vertex_buffer_object", "GL_ARB_shader_objects",
                           "GL_ARB_multitexture"}) {
    EXPECT_TRUE(extensions.isSupported(std::string(name))) << name;
  }
  EXPECT_FALSE(extensions.isSupported(std::string("GL_QNV_not_an_extension")));
  EXPECT_FALSE(extensions.isSupported(std::string("")));
  EXPECT_TRUE(extensions.isSupported()) << "an empty checklist is satisfied";
  for (const char* name : {"GL_EXT_framebuffer_object", "GL_QNV_first", "GL_ARB_vertex_buffer_object", "GL_QNV_second"})
    extensions.addToChecklist(name);
  EXPECT_FALSE(extensions.isSupported());
  EXPECT_EQ(extensions.getErrorMessage(),
            "Error: Your OpenGL implementation is missing the following extensions :\n"
            " - GL_QNV_first\n - GL_QNV_second\n");

  testing::internal::CaptureStdout();
  const std::string list = extensions.toString();
  const std::string printed = testing::internal::GetCapturedStdout();
  GLint textureSize = 0, attribs = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
  glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &attribs);
  EXPECT_EQ(GLExtensions::MAX_TEXTURE_SIZE, textureSize);
  EXPECT_NE(printed.find("GL_MAX_VERTEX_ATTRIBS ................... " + std::to_string(attribs) + "\n"),
            std::string::npos) << printed;
  EXPECT_NE(printed.find("GL_MAX_TEXTURE_SIZE ..................... " + std::to_string(textureSize) + "\n"),
            std::string::npos) << printed;
  EXPECT_NE(list.find("GL_EXT_framebuffer_object "), std::string::npos);
}

}  // namespace
