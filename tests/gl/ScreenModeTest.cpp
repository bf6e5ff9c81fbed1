// The "screen" group of the demo script as the loader opens the display with it: the clip planes
// each on their own, the resolution from the script or the 640 x 480 fallback when the launcher
// gave none, the script's antialiasing only when none was chosen, and the "fullscreen" key ignored
// under the override. Each case opens its own window in a child process (the test window of the
// other GL tests must not be replaced), which reports what differed on standard error.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "demosys/core/Demo.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/resources/ResourceLoader.h"
#include "tests/support/TempTree.h"

namespace {

struct Opened {
  bool ok = false;
  std::string printed;
  int surfaceWidth = 0;
  int surfaceHeight = 0;
};

// Parses a script made of the given "screen" group and opens the display with `metrics`.
Opened openWith(const std::string& screenGroup, ScreenMetrics& metrics) {
  TempTree tree;
  tree.write("resources/scripts/demoscript.txt", "{QNVDS1}\nscreen {\n" + screenGroup + "\n}\n");
  tree.enter();
  Opened opened;
  char program[] = "test";
  char* argv[] = {program, nullptr};
  testing::internal::CaptureStdout();
  {
    Demo demo(1, argv);
    opened.ok = demo.getLoader()->parseConfig() && demo.getLoader()->initScreen(&metrics, "screen test");
    if (opened.ok && SDL_GetVideoSurface() != nullptr) {
      opened.surfaceWidth = SDL_GetVideoSurface()->w;
      opened.surfaceHeight = SDL_GetVideoSurface()->h;
    }
    if (!opened.ok) std::cout << demo.getLoader()->getErrorMessage() << std::endl;
    demo.dispose();
  }
  opened.printed = testing::internal::GetCapturedStdout();
  return opened;
}

ScreenMetrics windowed(int width, int height) {
  ScreenMetrics metrics;
  metrics.setResolution(width, height);
  metrics.setFullscreen(false);
  metrics.setFullscreenOverride(true);
  return metrics;
}

// Collects what differed; the child exits 0 only when nothing did.
class Differences {
 public:
  template <typename T>
  void expect(const std::string& what, const T& actual, const T& expected) {
    if (!(actual == expected)) out << what << ": " << actual << ", expected " << expected << "\n";
  }
  void expectLine(const Opened& opened, const std::string& line, bool present) {
    bool found = ("\n" + opened.printed).find("\n" + line + "\n") != std::string::npos;
    if (found != present) out << (present ? "missing" : "unexpected") << " line '" << line << "'\n";
  }
  void opened(const Opened& opened) {
    if (!opened.ok) out << "the display did not open:\n" << opened.printed;
  }
  [[noreturn]] void finish() {
    std::cerr << out.str();
    std::exit(out.str().empty() ? 0 : 1);
  }

 private:
  std::ostringstream out;
};

class ScreenModeTest : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

void farWithoutNear() {
  ScreenMetrics metrics = windowed(320, 180);
  Opened opened = openWith("far = 250.5;", metrics);
  Differences d;
  d.expect("near", metrics.getNear(), 1.0f);
  d.expect("far", metrics.getFar(), 250.5f);
  d.expect("window width", opened.surfaceWidth, 320);
  d.expectLine(opened, "FSAASamples : 0", true);
  d.expectLine(opened, "No screen mode set. Attempting to read from demoscript", false);
  d.opened(opened);
  d.finish();
}

void resolutionFromTheScript() {
  ScreenMetrics metrics = windowed(0, 0);
  Opened opened = openWith("width = 400; height = 300; near = 2;", metrics);
  Differences d;
  d.expect("width", metrics.getWidth(), 400);
  d.expect("height", metrics.getHeight(), 300);
  d.expect("window", opened.surfaceWidth * 10000 + opened.surfaceHeight, 4000300);
  d.expect("near", metrics.getNear(), 2.0f);
  d.expect("far", metrics.getFar(), 800.0f);
  d.expectLine(opened, "No screen mode set. Attempting to read from demoscript", true);
  d.expectLine(opened, "No screen mode defined in demoscript. Doing fallback screenmode.", false);
  d.opened(opened);
  d.finish();
}

void fallbackWithoutAResolution() {
  ScreenMetrics metrics = windowed(0, 0);
  Opened opened = openWith("width = 400;", metrics);
  Differences d;
  d.expect("window", opened.surfaceWidth * 10000 + opened.surfaceHeight, 6400480);
  d.expectLine(opened, "No screen mode set. Attempting to read from demoscript", true);
  d.expectLine(opened, "No screen mode defined in demoscript. Doing fallback screenmode.", true);
  d.opened(opened);
  d.finish();
}

void launcherResolutionWins() {
  ScreenMetrics metrics = windowed(320, 180);
  Opened opened = openWith("width = 400; height = 300;", metrics);
  Differences d;
  d.expect("window", opened.surfaceWidth * 10000 + opened.surfaceHeight, 3200180);
  d.opened(opened);
  d.finish();
}

// Only the count is read here: whether the window gets multisampling is the driver's affair.
void antialiasingOnlyWhenNoneChosen() {
  ScreenMetrics script = windowed(320, 180);
  Opened fromScript = openWith("fsaa = 2;", script);
  ScreenMetrics chosen = windowed(320, 180);
  chosen.setFSAASamples(8);
  Opened fromLauncher = openWith("fsaa = 2;", chosen);
  Differences d;
  d.expect("from the script", script.getFSAASamples(), 2);
  d.expectLine(fromScript, "FSAASamples : 2", true);
  d.expect("chosen", chosen.getFSAASamples(), 8);
  d.expectLine(fromLauncher, "FSAASamples : 8", true);
  d.finish();
}

void fullscreenKeyUnderTheOverride() {
  ScreenMetrics overridden = windowed(320, 180);
  Opened kept = openWith("fullscreen = 1;", overridden);
  ScreenMetrics followed;
  followed.setResolution(320, 180);
  Opened windowedByScript = openWith("fullscreen = 0;", followed);
  Differences d;
  d.expect("fullscreen under the override", overridden.isFullscreen(), false);
  d.expect("fullscreen from the script", followed.isFullscreen(), false);
  d.expect("window", windowedByScript.surfaceWidth, 320);
  d.opened(kept);
  d.opened(windowedByScript);
  d.finish();
}

}  // namespace

TEST_F(ScreenModeTest, FarWithoutNearSetsOnlyTheFarPlane) {
  EXPECT_EXIT(farWithoutNear(), testing::ExitedWithCode(0), "");
}

TEST_F(ScreenModeTest, ResolutionFromTheScriptWhenTheLauncherGaveNone) {
  EXPECT_EXIT(resolutionFromTheScript(), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(fallbackWithoutAResolution(), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(launcherResolutionWins(), testing::ExitedWithCode(0), "");
}

TEST_F(ScreenModeTest, ScriptAntialiasingOnlyWhenNoneWasChosen) {
  EXPECT_EXIT(antialiasingOnlyWhenNoneChosen(), testing::ExitedWithCode(0), "");
}

TEST_F(ScreenModeTest, FullscreenKeyIgnoredUnderTheOverride) {
  EXPECT_EXIT(fullscreenKeyUnderTheOverride(), testing::ExitedWithCode(0), "");
}
