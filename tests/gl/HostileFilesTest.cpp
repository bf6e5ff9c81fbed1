// Damaged and hostile productions run by the tarnveld program and the tools: an image declaring
// a size the decoder cannot be trusted with, a truncated archive, a shader include that does not
// compile; and a running demo ended by a quit request (its window's close control, SIGTERM).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"
#include "tests/support/PngBytes.h"

// Last: its macros (None, Bool, Status) would clash with the test framework's names.
#include <X11/Xlib.h>

namespace {

void expectLines(const ProgramRun& run, const std::vector<std::string>& prefixes) {
  std::string missing;
  EXPECT_TRUE(run.inOrder(prefixes, &missing)) << "missing or out of order: '" << missing << "'\n" << run.out;
}

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

TEST(HostileFiles, ImageLargerThanTheDecoderCanTakeIsRefusedByName) {
  for (uint32_t side : {65536u, 32768u}) {
    DemoProduction production;
    ASSERT_TRUE(production.ok());
    production.write("resources/graphics/logo.png", pngDeclaring(side, side));
    const ProgramRun run = production.runDemo();
    const std::string size = std::to_string(side) + " x " + std::to_string(side);
    EXPECT_EQ(run.status, 0) << run.out;
    expectLines(run, {"Image 'resources/graphics/logo.png' declares " + size + " pixels, more than ",
                      "[Shutting Down]", "Failed to load texture!", "File : 'resources/graphics/logo.png'",
                      "[Application End]"});
  }
}

// Every command reading the archive says first that it is damaged, then what it could not find.
TEST(HostileFiles, TruncatedArchiveIsNamed) {
  DemoProduction production;
  ASSERT_TRUE(production.ok() && production.archiveOnly());
  std::filesystem::resize_file(production.path("resources.7z"),
                               std::filesystem::file_size(production.path("resources.7z")) / 2);
  const std::string missing = "DemoScriptParser : 'resources/scripts/demoscript.txt' not found!";
  for (const ProgramRun& run : {production.runDemo(), production.runTool("check --archive"),
                                production.runTool("render --archive --at 0 --out frames")}) {
    expectLines(run, {"Cannot read the archive 'resources.7z': ", missing});
  }
}

TEST(HostileFiles, IncludeCompileErrorIsMappedToTheIncludedFile) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  production.write("resources/shaders/include/bad.glsl",
                   "float good() { return 1.0; }\nfloat bad() { return nothing; }\n");
  production.write("resources/shaders/flat.frag",
                   "// flat colour\n#include include/bad.glsl\nvoid main() { gl_FragColor = vec4(good()); }\n");
  const ProgramRun run = production.runDemo();
  expectLines(run, {"Error while compiling fragment shader", "Shader: flat.frag",
                    "Line 3 is resources/shaders/include/bad.glsl line 2", "[Application End]"});
}

TEST(HostileFiles, QuitRequestEndsARunningDemoWithItsShutDownLines) {
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
    expectLines(run, {"[Demo Init]", "Duration : ", "FPS = ", "[Shutting Down]", "[Application End]"});
  }
}
