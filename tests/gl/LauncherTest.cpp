// The launcher dialog on a real X server, driven with xdotool as a viewer would.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "demosys/core/ScreenMetrics.h"
#include "production/QNVGui.h"
#include "production/TarnveldEntry.h"
#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/GoldenImage.h"
#include "tests/support/BuildTree.h"
// Last: Xlib's macros (None, Status, ...) would clash with the headers above.
#include <X11/Xlib.h>

namespace {

const std::string findDialog =
    "timeout 30 xdotool search --sync --onlyvisible --name '^Quenvar Demosys v\\.1\\.0$' | head -n 1";

// KEY=value from xdotool's --shell output, or -1.
int shellValue(const std::string& text, const std::string& key) {
  const size_t at = text.find(key + "=");
  return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size() + 1);
}

// What a window manager sends when the viewer closes the window.
void requestClose(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);
}

// The program in the background (its pid and exit status into files), until its dialog shows.
std::string startProgram(const DemoProduction& production) {
  runCommand("xdotool mousemove 0 0");
  const std::string program = buildTreePath("production/tarnveld");
  return runCommand("cd '" + production.path("") + "' && { ('" + program +
                    "' > run.log 2>&1 & echo $! > pid; wait $!; echo $? > status) >/dev/null 2>&1 & } && " + findDialog);
}

// Waits for the program to end; the geometry of the demo window (the program's window other than
// the dialog) if one appeared meanwhile.
std::string awaitEnd(const DemoProduction& production, const std::string& dialog) {
  return runCommand("cd '" + production.path("") +
                    "' && pid=$(cat pid) && for i in $(seq 600); do [ -s status ] && break; "
                    "w=$(xdotool search --onlyvisible --pid $pid 2>/dev/null | grep -vx " + dialog + " | head -n 1); "
                    "[ -n \"$w\" ] && [ -z \"$demo\" ] && demo=$(xdotool getwindowgeometry --shell $w); "
                    "sleep 0.1; done; kill $pid 2>/dev/null; echo \"$demo\"");
}

struct Leaving {
  const char* name;
  const char* click;  // xdotool arguments on the dialog window, or empty for a close request
  bool runs;
};

TEST(Launcher, StartHaltAndCloseFromTheProgram) {
  QNVGui::getScreenmodes();
  ASSERT_FALSE(QNVGui::screenModes.empty());
  const QNVGui::Mode first = QNVGui::screenModes.front();
  const Leaving cases[] = {{"Start!", "mousemove --window %s 97 400 click 1", true},
                           {"Halt!", "mousemove --window %s 202 400 click 1", false},
                           {"close request", "", false}};
  for (const Leaving& c : cases) {
    SCOPED_TRACE(c.name);
    DemoProduction production;
    ASSERT_TRUE(production.ok());
    const std::string window = startProgram(production);
    ASSERT_FALSE(window.empty()) << "no dialog titled \"Quenvar Demosys v.1.0\"";
    const std::string id = window.substr(0, window.find('\n'));
    const std::string geometry = runCommand("xdotool getwindowgeometry --shell " + id);
    EXPECT_EQ(shellValue(geometry, "WIDTH"), 300);
    EXPECT_EQ(shellValue(geometry, "HEIGHT"), 450);
    if (c.runs) {
      runCommand("sleep 1 && xwd -silent -id " + id + " | convert xwd:- png:" + production.path("dialog.png"));
      GoldenComparison picture = GoldenImage(48, 0.02).compare(
          production.path("dialog.png"), std::string(DEMOSYS_SOURCE_DIR) + "/tests/golden/launcher_dialog.png",
          "launcher_dialog_diff.png");
      EXPECT_TRUE(picture.matches) << picture.message;
    }
    if (*c.click != '\0') {
      char command[128];
      std::snprintf(command, sizeof command, c.click, id.c_str());
      runCommand(std::string("xdotool ") + command);
    } else {
      requestClose(std::stoul(id));
    }
    const std::string demoWindow = awaitEnd(production, id);
    ProgramRun run{std::atoi(production.read("status").c_str()), production.read("run.log")};
    EXPECT_EQ(run.status, 0) << run.out;
    std::string missing;
    if (c.runs) {
      EXPECT_TRUE(run.inOrder(fixtureRunLines(), &missing)) << missing << "\n" << run.out;
      EXPECT_EQ(shellValue(demoWindow, "WIDTH"), first.width) << demoWindow;
      EXPECT_EQ(shellValue(demoWindow, "HEIGHT"), first.height) << demoWindow;
    } else {
      EXPECT_EQ(run.out, "Quit demo\n");
      EXPECT_EQ(demoWindow, "\n") << "no demo window";
    }
  }
}

TEST(Launcher, ClickedChoicesReachTheMetrics) {
  // 6x antialiasing from the keyboard in the opened list, both boxes unticked, then "Start!".
  std::thread viewer([] {
    runCommand("w=$(" + findDialog + ") && sleep 0.5 && xdotool mousemove --window $w 200 342 click 1 sleep 0.5 "
               "key Down Down Down Return sleep 0.3 mousemove --window $w 200 280 click 1 sleep 0.3 "
               "mousemove --window $w 200 310 click 1 sleep 0.3 mousemove --window $w 97 400 click 1");
  });
  {
    QNVGui launcher(300, 450, "Quenvar Demosys v.1.0");
    Fl::scheme("gtk+");
    Fl_Timeout_Handler giveUp = [](void*) { QNVGui::Exit_CB(nullptr, nullptr); };
    Fl::add_timeout(60.0, giveUp);  // a viewer that never clicks ends it
    Fl::run();
    Fl::remove_timeout(giveUp);
  }
  viewer.join();
  ScreenMetrics metrics;
  transferLauncherChoices(metrics);
  EXPECT_FALSE(QNVGui::checkQuit());
  EXPECT_EQ(metrics.getWidth(), QNVGui::screenModes.front().width);
  EXPECT_EQ(metrics.getFSAASamples(), 6);
  EXPECT_FALSE(metrics.isFullscreen());
  EXPECT_FALSE(metrics.getVSync());
  EXPECT_TRUE(metrics.getFullScreenOverride() && metrics.getVSyncOverride());
}

TEST(Launcher, WithoutADisplayOneLineAndStatusZero) {
  int status = -1;
  const std::string out = runCommand("env -u DISPLAY '" + buildTreePath("production/tarnveld") + "' 2>&1", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out, "No display to show the launcher on: Tarnveld needs a graphical desktop (DISPLAY)\n");
}

}  // namespace
