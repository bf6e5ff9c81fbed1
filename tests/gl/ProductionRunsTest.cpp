// The tarnveld program and the tools on the fixture production after one change each (a demo
// maker's mistake, a damaged or hostile file, the archive instead of the tree), and a running demo
// ended by a quit request (its window's close control, SIGTERM).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"
#include "tests/support/PngBytes.h"

// Last: its macros (None, Bool, Status) would clash with the test framework's names.
#include <X11/Xlib.h>

namespace {

using Change = std::function<void(DemoProduction&)>;

struct ChangedRun {
  const char* name;
  Change change;
  std::string tool;  // the tool's arguments; empty: the demo, "@ARG": the demo with ARG
  int status;
  std::vector<std::string> lines;  // printed in this order
  std::vector<std::string> absent = {};
  std::vector<std::string> once = {};  // whole lines printed exactly once
  const char* noFile = nullptr;        // a file the run must not leave
};

Change block(const std::string& name, const std::string& body) {
  return [=](DemoProduction& d) {
    d.setBlock(name, body);
    d.writeScript();
  };
}
Change file(const std::string& path, const std::string& bytes) {
  return [=](DemoProduction& d) { d.write(path, bytes); };
}
Change timeline(const std::string& body) {
  return [=](DemoProduction& d) { EXPECT_TRUE(d.buildTracks("rowrate 20\neffect show priority 0\n" + body)); };
}
Change both(const Change& first, const Change& second) {
  return [=](DemoProduction& d) {
    first(d);
    second(d);
  };
}
const Change nothing = [](DemoProduction&) {};
// `pack script` and `pack build` (both must succeed), then the tree is moved away: only the archive is left.
const Change packed = [](DemoProduction& d) {
  EXPECT_EQ(d.runTool("pack script").status, 0);
  const ProgramRun build = d.runTool("pack build");
  EXPECT_EQ(build.status, 0) << build.out;
  std::filesystem::rename(d.path("resources"), d.path("moved-away"));
};

// Shader pairs reaching shared code through nested #include lines.
const Change includes = [](DemoProduction& d) {
  d.write("resources/shaders/include/white.glsl", "vec4 white() { return vec4(1.0); }\n");
  d.write("resources/shaders/include/nested.glsl", "#include include/white.glsl\n");
  for (const char* name : {"lit", "lit2"}) d.write(std::string("resources/shaders/") + name + ".vert", "void main() { gl_Position = ftransform(); }\n");
  d.write("resources/shaders/lit.frag", "#include include/nested.glsl\nvoid main() { gl_FragColor = white(); }\n");
  d.write("resources/shaders/lit2.frag", "#include include/white.glsl\nvoid main() { gl_FragColor = white(); }\n");
  block("shaders", "flat = flat; lit = lit; lit2 = lit2;")(d);
};

// A failed load ends in the shut-down report with the loader's text, and exit status 0.
std::vector<std::string> failure(const std::string& loaderText, const std::string& file = "") {
  std::vector<std::string> lines = {"[Shutting Down]", "Message from demosys :", "Message from resourceloader",
                                    loaderText};
  if (!file.empty()) lines.push_back("File : '" + file + "'");
  lines.insert(lines.end(), {"[Deleting Pools]", "QNVDemosys::shutdown()", "[Application End]"});
  return lines;
}

std::vector<ChangedRun> runs() {
  const std::vector<std::string> whole = fixtureRunLines();
  const std::string truncatedArchive = "Cannot read the archive 'resources.7z': ";
  const std::string noScript = "DemoScriptParser : 'resources/scripts/demoscript.txt' not found!";
  const Change truncated = [](DemoProduction& d) {
    ASSERT_TRUE(d.archiveOnly());
    std::filesystem::resize_file(d.path("resources.7z"), std::filesystem::file_size(d.path("resources.7z")) / 2);
  };
  const Change noLoadingPictures = [](DemoProduction& d) {
    for (const char* picture : {"Loading1.png", "Loading2.png"})
      std::filesystem::remove(d.path(std::string("resources/graphics/") + picture));
  };
  std::vector<ChangedRun> all = {
      {"whole run", nothing, "", 0, whole, {"Message from", "Load : resources/graphics/logo.png\nLoad :"}, {"[Application End]"}},
      {"from the archive alone", [](DemoProduction& d) { ASSERT_TRUE(d.archiveOnly()); }, "", 0, whole},
      {"packed archive", packed, "", 0, whole},
      {"packed shader includes", both(includes, packed), "", 0, whole},
      {"packed without loading pictures", both(noLoadingPictures, packed), "", 0, whole},
      {"script on the command line",
       both([](DemoProduction& d) { d.write("resources/scripts/other.txt", d.read("resources/scripts/demoscript.txt")); },
            file("resources/scripts/demoscript.txt", "not a script")),
       "@other.txt", 0, whole},
      {"stop before start draws one frame", both(block("system", "start = 0:00:100; stop = 0:00:050;"), block("sound", "")),
       "", 0, {"[Demo Init]", "Duration : (0000000100)-[00:00:100]", "FPS = ", "[Application End]"},
       {"Fallback draw method!"}},
      {"script that fails to parse", file("resources/scripts/demoscript.txt", "{QNVDS1}\nbroken {"), "", 0,
       failure(""), {"[Supported OpenGL Extensions]", "[Demo Init]"}},
      {"missing binary", block("binary", "blob = nothing.bin;"), "", 0,
       failure("Failed to binary data!", "resources/misc/nothing.bin"), {"[Demo Init]"}},
      {"image that is no picture", file("resources/graphics/logo.png", "these bytes are no picture"), "", 0,
       failure("Failed to load texture!", "resources/graphics/logo.png"), {"[Demo Init]"}},
      {"shader that does not compile", file("resources/shaders/flat.frag", "void main() { this is not glsl }\n"), "", 0,
       failure(""), {"[Demo Init]"}},
      {"damaged track data", file("resources/tracks/track.data", "xx"), "", 0, failure(""), {"[Demo Init]"}},
      {"include that does not compile",
       both(file("resources/shaders/include/bad.glsl", "float good() { return 1.0; }\nfloat bad() { return nothing; }\n"),
            file("resources/shaders/flat.frag", "// flat colour\n#include include/bad.glsl\nvoid main() { gl_FragColor = vec4(good()); }\n")),
       "", 0, {"Error while compiling fragment shader", "Shader: flat.frag", "Line 3 is resources/shaders/include/bad.glsl line 2", "[Application End]"}},
      {"truncated archive", truncated, "", 0, {truncatedArchive, noScript}},
      {"truncated archive, check", truncated, "check --archive", 1, {truncatedArchive, noScript}},
      {"truncated archive, render", truncated, "render --archive --at 0 --out frames", 1, {truncatedArchive, noScript}},
      {"render of a failed load", block("binary", "blob = nothing.bin;"), "render --at 0 --out .", 1,
       {"demosys render: the demo failed to load", "Failed to binary data!", "[Application End]"}},
      {"pack script of a failed load", block("binary", "blob = nothing.bin;"), "pack script", 1, {}, {}, {}, "packresources.sh"},
      {"pack build of a failed load", block("binary", "blob = nothing.bin;"), "pack build", 1, {}},
      {"render without an output", nothing, "render --at 0", 2, {}},
      {"render of a bad size", nothing, "render --size 12 --out .", 2, {}},
      {"render at a bad time", nothing, "render --at a:b:c --out .", 2, {}},
      {"render of an empty range", nothing, "render --from 200 --to 100 --out .", 2, {}},
      {"check of the fixture", nothing, "check", 0, {}, {"error:"}},
  };
  // An image declaring more pixels than the decoder can be trusted with is refused by name.
  for (uint32_t side : {65536u, 32768u}) {
    const std::string size = std::to_string(side) + " x " + std::to_string(side);
    all.push_back({"image declaring a huge size", file("resources/graphics/logo.png", pngDeclaring(side, side)), "", 0,
                   {"Image 'resources/graphics/logo.png' declares " + size + " pixels, more than ", "[Shutting Down]",
                    "Failed to load texture!", "File : 'resources/graphics/logo.png'", "[Application End]"}});
  }
  // The framebuffer block's syntax errors.
  const std::pair<const char*, const char*> framebuffers[] = {
      {"t = width, height;", "Wrong number of parameters in framebuffer block"},
      {"t = 12x, 64, COLOR_BUFFER;", "Frambuffer width is not an int"},
      {"t = 64, tall, COLOR_BUFFER;", "Frambuffer height is not an int"},
      {"t = width, 256, COLOUR_BUFFER;", "Wrong parameter for framebuffer 't'"},
      {"t = width, 256, COLOR_BUFFER, STENCIL_BUFFER;", "Wrong parameter for framebuffer 't'"}};
  for (const auto& [body, message] : framebuffers)
    all.push_back({"framebuffer syntax", block("framebuffers", body), "", 0, failure(message), {"[Demo Init]"}});
  // `demosys check`: one line for each demo maker's mistake, and a failed check.
  const std::pair<Change, const char*> mistakes[] = {
      {both(block("show * FadeEffect", ""), block("show * FlagEfect", "a = 1;")), "Defaults for block 'FlagEfect' not found!"},
      {block("graphics", "logo = logo.png; gone = gone.png;"),
       "resources/scripts/demoscript.txt:18: error: texture 'gone': file 'resources/graphics/gone.png' not found"},
      {block("shaders", "flat = flat; gone = gone;"),
       "resources/scripts/demoscript.txt:12: error: shader 'gone': file 'resources/shaders/gone.vert' not found"},
      {both(file("resources/shaders/flat.frag", "void main() {\n  float x = 1;\n  gl_FragColor = vec4(x);\n}\n"),
            block("shaders", "flat = flat, EXTRA;")),
       "resources/shaders/flat.frag:2: error: GLSL 1.10 (shader 'flat'): "},
      {block("sound", "file = gone.wav; play = 1;"), "error: song: file 'resources/sound/gone.wav' not found"},
      {timeline("start 0\nstop 9\neffect ghost\nstart 0\nstop 9\n"),
       "resources/tracks/index.list: error: effect 'ghost' of the timeline is not an effect instance of the demo script"},
      {timeline("start 0\nstop 9\ntrack alpah\n0 LINEAR 1\n"),
       "error: effect 'show': FadeEffect has no track 'alpah' (its tracks: alpha, red, green, blue, fmod, volume)"},
      {timeline("start 0 nowhere\nstop 9\n"),
       "error: effect 'show': start at row 0 draws into 'nowhere', which is not a framebuffer of the script"},
      {timeline("stop 5\nstart 10\nstop 20\n"), "error: effect 'show': stop at row 5 without a start"}};
  for (const auto& [change, line] : mistakes) all.push_back({"check of a mistake", change, "check", 1, {line}});
  return all;
}

void expectRuns(bool ofTheDemo) {
  for (const ChangedRun& r : runs()) {
    const bool demo = r.tool.empty() || r.tool[0] == '@';
    if (demo != ofTheDemo) continue;
    SCOPED_TRACE(r.name);
    DemoProduction production;
    ASSERT_TRUE(production.ok());
    r.change(production);
    const ProgramRun run = demo ? production.runDemo(r.tool.empty() ? "" : r.tool.substr(1)) : production.runTool(r.tool);
    EXPECT_EQ(run.status, r.status) << r.tool << "\n" << run.out;
    std::size_t at = 0;
    for (const std::string& text : r.lines) {
      at = run.out.find(text, at);
      ASSERT_NE(at, std::string::npos) << "missing or out of order: '" << text << "'\n" << run.out;
    }
    for (const std::string& text : r.absent) EXPECT_EQ(run.out.find(text), std::string::npos) << text << "\n" << run.out;
    for (const std::string& line : r.once) EXPECT_EQ(run.count(line), 1) << line << "\n" << run.out;
    EXPECT_TRUE(r.noFile == nullptr || !std::filesystem::exists(production.path(r.noFile))) << r.noFile;
  }
}

TEST(ProductionRuns, TheDemoAfterEachChange) { expectRuns(true); }
TEST(ProductionRuns, TheToolsAfterEachChange) { expectRuns(false); }

// Every file the loaded demo reads, the loading display's pictures last. That shared shader code
// and only the loading pictures the tree has are listed, the packed runs above show.
TEST(ProductionRuns, PackingScriptListsEverythingTheLoadedDemoReads) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  ProgramRun run = production.runTool("pack script --out pack.sh");
  ASSERT_EQ(run.status, 0) << run.out;
  std::string expected = "rm  resources.7z \nrm resources.7z.log\n";
  for (const char* path : {"sound/song.wav", "scripts/demoscript.txt", "definitions/*", "graphics/logo.png",
                           "misc/blob.bin", "shaders/flat.vert", "shaders/flat.frag", "tracks/index.list",
                           "tracks/track.data", "graphics/Loading1.png", "graphics/Loading2.png"})
    expected += "7za a -ms=off -mx=9  resources.7z resources/" + std::string(path) + " >> resources.7z.log \n";
  EXPECT_EQ(production.read("pack.sh"), expected);
}

// ImageMagick writes each kind; the decoded copy has 8-bit channels, alpha only where the picture has it.
TEST(ProductionRuns, PicturesOfEveryDepthDecodeToEightBitColour) {
  const struct {
    const char* options;
    int pixelSize;
    unsigned char first[4];
  } kinds[] = {
      {"xc:'rgb(200,100,50)' -depth 16 PNG48:", 3, {200, 100, 50, 0}},
      {"xc:'rgba(200,100,50,0.5)' -depth 16 PNG64:", 4, {200, 100, 50, 128}},
      {"xc:'gray(120)' -depth 8 PNG8:", 3, {120, 120, 120, 0}},
      {"xc:'gray(120)' -depth 16 -type Grayscale PNG:", 3, {120, 120, 120, 0}},
  };
  DemoProduction demo;
  ASSERT_TRUE(demo.ok());
  for (const auto& kind : kinds) {
    const std::string command = std::string("convert -size 2x2 ") + kind.options + "'" + demo.path("picture.png") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    Image image(demo.path("picture.png"));
    ASSERT_TRUE(image.exists()) << kind.options;
    EXPECT_EQ(image.getPixelSize(), kind.pixelSize) << kind.options;
    EXPECT_EQ(image.getBpp(), kind.pixelSize * 8) << kind.options;
    for (int c = 0; c < kind.pixelSize; ++c) EXPECT_NEAR(image.getData()[c], kind.first[c], 1) << kind.options << " channel " << c;
  }
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
