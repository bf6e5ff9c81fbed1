// A running demo ended by a quit request (its window's close control, SIGTERM) prints its shut-down
// lines and exits 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"

// Last: its macros (None, Bool, Status) would clash with the test framework's names.
#include <X11/Xlib.h>

namespace {

// Starts tarnveld (without its launcher dialog) in the production's directory, lets stop() end it
// once its frame loop runs and collects the run; a run that outlives stop() by 30 s is killed
// (status -1).
ProgramRun runUntilStopped(const DemoProduction& production, const std::function<void(pid_t)>& stop) {
  const pid_t pid = fork();
  if (pid == 0) {
    const std::string program = buildTreePath("tests/tarnveld_windowed");
    if (chdir(production.path("").c_str()) == 0 && freopen("run.log", "w", stdout) && dup2(1, 2) == 2)
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(9);
  }
  const auto waitFor = [](const std::function<bool()>& done) {
    for (int i = 0; i < 300 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  };
  waitFor([&] { return production.read("run.log").find("[Demo Init]") != std::string::npos; });
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  stop(pid);
  int raw = 0;
  waitFor([&] { return waitpid(pid, &raw, WNOHANG) == pid; });
  if (kill(pid, SIGKILL) == 0 && waitpid(pid, &raw, 0) == pid) raw = -1;
  return {raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, production.read("run.log")};
}

// What the window's close control sends: WM_DELETE_WINDOW to the window named "Tarnveld" (found
// with xdotool; no window manager runs on the virtual screen to do it).
void requestWindowClose(pid_t) {
  const std::string id = runCommand("xdotool search --name '^Tarnveld$' | head -1");
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  ASSERT_FALSE(id.empty());
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::stoul(id);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
}

}  // namespace

TEST(QuitRequest, EndsARunningDemoWithItsShutDownLines) {
  const std::pair<const char*, std::function<void(pid_t)>> requests[] = {
      {"window close", requestWindowClose}, {"SIGTERM", [](pid_t pid) { kill(pid, SIGTERM); }}};
  for (const auto& request : requests) {
    SCOPED_TRACE(request.first);
    DemoProduction production;
    ASSERT_TRUE(production.ok());
    production.setBlock("system", "start = 0:00:000; stop = 5:00:000; rowrate = 20;");
    production.writeScript();
    const ProgramRun run = runUntilStopped(production, request.second);
    EXPECT_EQ(run.status, 0) << run.out;
    std::string missing;
    EXPECT_TRUE(run.inOrder({"[Demo Init]", "Duration : ", "FPS = ", "[Shutting Down]", "[Application End]"}, &missing))
        << missing << "\n" << run.out;
  }
}
