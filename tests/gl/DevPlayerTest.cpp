// `demosys play` on a real X server with real key events (xdotool), its picture read back from the
// screen. The fixture's "paint" effect fills it with a red ramp from row 0 to row 100 (5 s at 20 rows
// a second), so the picture tells the position; "logo" draws the fixture's picture through "flat".
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"

namespace {

const char* const RAMP =
    "rowrate 20\n"
    "effect paint\n  start 0\n  stop 100000\n"
    "  track red\n    0 LINEAR 0\n    100 LINEAR 1\n"
    "  track alpha\n    0 STEP 1\n";
const char* const LOGO = "rowrate 20\neffect logo\n  start 0\n  stop 100000\n";

struct Rgb {
  int r = -1, g = -1, b = -1;
};

void waitMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// One player in the fixture's tree, its console in a file the test reads as it grows. The
// window sits in the screen's top left corner (no window manager places it).
class Player {
 public:
  explicit Player(DemoProduction& p) : production(p) {
    std::string command = "cd '" + p.path("") + "' && SDL_VIDEO_WINDOW_POS=0,0 '" + DEMOSYS_TOOL_PATH +
                          "' play --size 640x360 --timeline timeline.txt > play.log 2>&1 & echo $! > play.pid";
    started = std::system(command.c_str()) == 0 && waitFor("play: playing", 30000);
    window = runCommand("timeout 10 xdotool search --sync --name 'demosys play' | head -n 1 | tr -d '\\n'");
  }
  ~Player() {
    key("Escape");
    pid_t pid = std::atoi(production.read("play.pid").c_str());
    for (int i = 0; i < 50 && pid > 0 && kill(pid, 0) == 0; ++i) waitMs(100);
    if (pid > 0 && kill(pid, 0) == 0) kill(pid, SIGKILL);
  }
  bool ok() const { return started && !window.empty(); }
  // The console after what earlier waits consumed.
  std::string output() const { return production.read("play.log"); }
  // Waits for a line containing text, later than the last one found; returns that line's text.
  bool waitFor(const std::string& text, int timeoutMs, std::string* line = nullptr) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
      std::string log = output();
      std::size_t at = log.find(text, seen);
      if (at != std::string::npos) {
        std::size_t end = log.find('\n', at);
        if (line != nullptr) *line = log.substr(at, end - at);
        seen = end;
        return true;
      }
      waitMs(50);
    }
    return false;
  }
  void key(const std::string& keys) const {
    runCommand("xdotool windowfocus --sync " + window + " key " + keys + " 2>/dev/null");
  }
  // A pixel of the screen, x and y from the top left.
  static Rgb pixel(int x, int y) {
    std::string text = runCommand("xwd -root -silent | convert xwd:- -crop 1x1+" + std::to_string(x) + "+" +
                                  std::to_string(y) + " -depth 8 txt:-");
    std::smatch m;
    Rgb rgb;
    if (std::regex_search(text, m, std::regex("#([0-9A-F]{2})([0-9A-F]{2})([0-9A-F]{2})"))) {
      rgb = {std::stoi(m[1], nullptr, 16), std::stoi(m[2], nullptr, 16), std::stoi(m[3], nullptr, 16)};
    }
    return rgb;
  }
  // Clear of the overlay panel, in the picture's lower right.
  static Rgb picture() { return pixel(600, 320); }

 private:
  DemoProduction& production;
  bool started = false;
  std::string window;
  std::size_t seen = 0;
};

class DevPlayer : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(production.ok());
    production.setBlock("system", "start = 0:00:000; stop = 1:00:000; rowrate = 20;");
    production.setBlock("paint * FadeEffect", "comment = ramp;");
    production.setBlock("logo * DisplayTexture", "texture = again; shader = flat;");
    production.writeScript();
  }
  void useTimeline(const std::string& text) {
    production.write("timeline.txt", text);
    ASSERT_EQ(production.runTool("tracks build timeline.txt resources/tracks").status, 0);
  }
  // The ramp's red at a demo time.
  static int redAt(unsigned ms) { return static_cast<int>(ms * 255 / 5000); }
  static unsigned millisecondsOf(const std::string& line) {
    std::smatch m;
    if (!std::regex_search(line, m, std::regex("([0-9]+):([0-9]{2}):([0-9]{3})"))) return 0;
    return std::stoul(m[1]) * 60000 + std::stoul(m[2]) * 1000 + std::stoul(m[3]);
  }
  DemoProduction production;
};

// The song is a second long: the row step goes back to its start, so the song can follow. Where
// the loop's out point sends the clock is the playback control's test; here the keys reach it.
TEST_F(DevPlayer, PauseHoldsPictureAndSongARowStepLandsOnTheRowAndTheLoopRegionRepeats) {
  useTimeline(RAMP);
  Player player(production);
  ASSERT_TRUE(player.ok()) << player.output();
  std::string paused, stepped, resumed;
  player.key("space");
  ASSERT_TRUE(player.waitFor("play: paused at", 3000, &paused)) << player.output();
  waitMs(300);
  Rgb held = Player::picture();
  waitMs(600);
  EXPECT_EQ(Player::picture().r, held.r) << "the picture holds while paused";
  EXPECT_NEAR(held.r, redAt(millisecondsOf(paused)), 2) << paused;
  player.key("Home");
  ASSERT_TRUE(player.waitFor("play: at 0:00:000 row 0", 3000)) << player.output();
  player.key("Right");
  ASSERT_TRUE(player.waitFor("play: at", 3000, &stepped)) << player.output();
  EXPECT_EQ(stepped, "play: at 0:00:050 row 1") << "the step lands on the row's start";
  waitMs(400);
  EXPECT_NEAR(Player::picture().r, redAt(50), 1);
  player.key("space");
  ASSERT_TRUE(player.waitFor("play: playing from", 3000, &resumed));
  EXPECT_EQ(resumed, "play: playing from 0:00:050 row 1")
      << "the song held the position the clock holds: play re-anchors the clock to the song";
  std::string in, looping;
  player.key("i");
  ASSERT_TRUE(player.waitFor("play: loop in at", 3000, &in));
  waitMs(700);
  player.key("o");
  ASSERT_TRUE(player.waitFor("play: loop out at", 3000));
  player.key("l");
  ASSERT_TRUE(player.waitFor("play: looping", 3000, &looping));
  EXPECT_EQ(millisecondsOf(looping), millisecondsOf(in)) << looping;
  bool wrapped = false;
  for (int i = 0, previous = -1; i < 12 && !wrapped; ++i, waitMs(100)) {
    const int red = Player::picture().r;
    wrapped = red < previous;
    previous = red;
  }
  EXPECT_TRUE(wrapped) << "the picture went back to the in point";
}

TEST_F(DevPlayer, F5ReloadsShadersAndABrokenOneKeepsTheOldProgram) {
  useTimeline(LOGO);
  Player player(production);
  ASSERT_TRUE(player.ok()) << player.output();
  waitMs(300);
  Rgb before = Player::picture();
  EXPECT_GT(before.g, 150) << "the flat shader draws white";
  production.write("resources/shaders/flat.frag", "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n");
  player.key("F5");
  ASSERT_TRUE(player.waitFor("play: shaders reloaded", 3000)) << player.output();
  waitMs(300);
  Rgb red = Player::picture();
  EXPECT_GT(red.r, 200);
  EXPECT_LT(red.g, 50);
  production.write("resources/shaders/flat.frag", "void main() { gl_FragColor = vec4(0.0 }\n");
  player.key("F5");
  ASSERT_TRUE(player.waitFor("play: shader reload failed, the old program keeps drawing", 3000))
      << player.output();
  EXPECT_NE(player.output().find("Error while compiling fragment shader\nShader: flat.frag\n"),
            std::string::npos)
      << "the compile log is printed";
  waitMs(300);
  EXPECT_EQ(Player::picture().r, red.r);
  EXPECT_EQ(Player::picture().g, red.g);
}

// How soon the reload lands is the player benchmark's business; a loaded runner may take longer.
TEST_F(DevPlayer, SavedTimelineChangesThePictureAndAnErrorKeepsTheOld) {
  useTimeline(RAMP);
  Player player(production);
  ASSERT_TRUE(player.ok()) << player.output();
  player.key("space");
  ASSERT_TRUE(player.waitFor("play: paused at", 3000));
  production.write("timeline.txt", std::string(RAMP) + "  track green\n    0 STEP 1\n");
  ASSERT_TRUE(player.waitFor("play: timeline reloaded from", 5000)) << player.output();
  waitMs(300);
  EXPECT_GT(Player::picture().g, 250) << "the new track's value is in the picture";
  production.write("timeline.txt", std::string(RAMP) + "  track green\n    0 SIDEWAYS 0\n");
  ASSERT_TRUE(player.waitFor("play: timeline error, the old timeline plays on", 5000)) << player.output();
  EXPECT_NE(player.output().find("line 11: unknown interpolation"), std::string::npos) << player.output();
  waitMs(300);
  EXPECT_GT(Player::picture().g, 250);
}

TEST_F(DevPlayer, ScriptEditRecreatesTheEffectAtThePositionAndAnErrorKeepsTheDemo) {
  useTimeline(RAMP);
  Player player(production);
  ASSERT_TRUE(player.ok()) << player.output();
  player.key("space");
  std::string paused, recreated;
  ASSERT_TRUE(player.waitFor("play: paused at", 3000, &paused));
  production.setBlock("paint * FadeEffect", "colour = 1;");
  production.writeScript();
  ASSERT_TRUE(player.waitFor("play: script error, the demo plays on", 5000)) << player.output();
  waitMs(300);
  EXPECT_LT(Player::picture().g, 10) << "the old demo still draws its red";
  production.setBlock("paint * FadeEffect", "");
  production.setBlock("paint * DisplayTexture", "texture = again; shader = flat;");
  production.writeScript();
  ASSERT_TRUE(player.waitFor("play: demo re-created at", 3000, &recreated)) << player.output();
  EXPECT_EQ(recreated.substr(recreated.rfind(" at ") + 4), paused.substr(paused.rfind(" at ") + 4));
  waitMs(400);
  EXPECT_GT(Player::picture().g, 150) << "paint is a textured quad now";
}

}  // namespace
