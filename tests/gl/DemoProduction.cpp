// DemoProduction: the fixture production and program runs.
#include "tests/gl/DemoProduction.h"

#include <sys/wait.h>

#include <cstdint>
#include <filesystem>
#include <sstream>

#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"

namespace {

std::string littleEndian(uint32_t v, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xff);
  return out;
}

// One second of 8 kHz 16-bit mono silence.
std::string silentWav() {
  const uint32_t samples = 8000;
  std::string data(samples * 2, '\0');
  return "RIFF" + littleEndian(36 + samples * 2, 4) + "WAVE" + "fmt " + littleEndian(16, 4) +
         littleEndian(1, 2) + littleEndian(1, 2) + littleEndian(8000, 4) + littleEndian(16000, 4) +
         littleEndian(2, 2) + littleEndian(16, 2) + "data" + littleEndian(samples * 2, 4) + data;
}

const char* const TRACKS =
    "rowrate 20\n"
    "effect show priority 0\n"
    "  start 0 screen\n"
    "  stop 1000\n";

ProgramRun run(const std::string& directory, const std::string& command) {
  ProgramRun r;
  int raw = -1;
  r.out = runCommand("cd '" + directory + "' && timeout 60 " + command + " 2>&1", &raw);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

}  // namespace

std::vector<std::string> ProgramRun::lines() const {
  std::vector<std::string> result;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

bool ProgramRun::inOrder(const std::vector<std::string>& prefixes, std::string* missing) const {
  std::vector<std::string> all = lines();
  size_t next = 0;
  for (const std::string& line : all) {
    if (next < prefixes.size() && line.rfind(prefixes[next], 0) == 0) ++next;
  }
  if (next == prefixes.size()) return true;
  if (missing != nullptr) *missing = prefixes[next];
  return false;
}

int ProgramRun::count(const std::string& line) const {
  int n = 0;
  for (const std::string& l : lines()) n += (l == line);
  return n;
}

DemoProduction::DemoProduction() {
  if (!tree.ok()) return;
  std::error_code error;
  std::filesystem::create_directories(tree.path("resources"), error);
  std::filesystem::copy(std::string(DEMOSYS_SOURCE_DIR) + "/resources/definitions",
                        tree.path("resources/definitions"), std::filesystem::copy_options::recursive, error);
  tree.write("resources/shaders/flat.vert", "void main() { gl_Position = ftransform(); }\n");
  tree.write("resources/shaders/flat.frag", "void main() { gl_FragColor = vec4(1.0); }\n");
  std::filesystem::create_directories(tree.path("resources/graphics"), error);
  bool image = writePNG(tree.path("resources/graphics/logo.png"), 2, 2, 3, std::vector<uint8_t>(12, 200));
  for (const char* loading : {"Loading1.png", "Loading2.png"}) {
    std::string path = tree.path("resources/graphics/") + loading;
    image = image && writePNG(path, 2, 2, 4, std::vector<uint8_t>(16, 90));
  }
  tree.write("resources/misc/blob.bin", "0123456789");
  tree.write("resources/sound/song.wav", silentWav());
  blocks = {
      {"paths",
       "definition = resources/definitions/; shaders = resources/shaders/; gfx = resources/graphics/; "
       "misc = resources/misc/; tracks = resources/tracks/; sound = resources/sound/;"},
      {"system", "start = 0:00:000; stop = 0:00:300; rowrate = 20;"},
      {"screen", "width = 1280; height = 720;"},
      {"shaders", "flat = flat;"},
      {"framebuffers", "target = 64, 32, COLOR_BUFFER, DEPTH_BUFFER;"},
      {"graphics", "logo = logo.png; again = logo.png;"},
      {"binary", "blob = blob.bin;"},
      {"sound", "file = song.wav; play = 1;"},
      {"show * FadeEffect", "comment = with its tracks at 0 it leaves the screen as it is;"},
  };
  writeScript();
  built = !error && image && buildTracks(TRACKS);
}

bool DemoProduction::buildTracks(const std::string& text) {
  tree.write("timeline.txt", text);
  return runTool("tracks build timeline.txt resources/tracks").status == 0;
}

// Block order: paths first (the definitions are read right after it), effects last.
void DemoProduction::writeScript() {
  std::string script = "{QNVDS1}\n";
  for (const char* name :
       {"paths", "system", "screen", "shaders", "framebuffers", "graphics", "binary", "sound"}) {
    auto found = blocks.find(name);
    if (found != blocks.end() && !found->second.empty())
      script += std::string(name) + " {\n" + found->second + "\n}\n";
  }
  for (const auto& block : blocks) {
    if (block.first.find('*') != std::string::npos && !block.second.empty()) script += block.first + " {\n" + block.second + "\n}\n";
  }
  tree.write("resources/scripts/demoscript.txt", script);
}

bool DemoProduction::archiveOnly() {
  if (!tree.archive("resources.7z", "", {"resources"})) return false;
  std::error_code error;
  std::filesystem::rename(tree.path("resources"), tree.path("resources-packed"), error);
  return !error;
}

ProgramRun DemoProduction::runDemo(const std::string& argument) const {
  return run(tree.path(""), "'" + buildTreePath("tests/tarnveld_windowed") + "' " + argument);
}

ProgramRun DemoProduction::runTool(const std::string& arguments) const {
  return run(tree.path(""), std::string("'") + DEMOSYS_TOOL_PATH + "' " + arguments);
}

const std::vector<std::string>& fixtureRunLines() {
  static const std::vector<std::string> lines = {"Run demo",
                                                 "[Creating DataPools]",
                                                 "[Creating Pool objects]",
                                                 "[Creating DemoScriptParser]",
                                                 "[Parsing defaults]",
                                                 "[Parsing demoscript]",
                                                 "FSAASamples : 0",
                                                 "[Supported OpenGL Extensions]",
                                                 "[Loading Shaders]",
                                                 "[Creating FramebufferObjects]",
                                                 "[Loading 3D Objects]",
                                                 "No objects",
                                                 "[Loading Graphics]",
                                                 "Load : resources/graphics/logo.png",
                                                 "[Loading Binary Data]",
                                                 "Loading binary : 'resources/misc/blob.bin'",
                                                 "[Loading Animation Data]",
                                                 "No animation data",
                                                 "[Create effect objects]",
                                                 "Creating instance of FadeEffect",
                                                 "[Create track data]",
                                                 "Loading track data from index file",
                                                 "[Initializing Effect Instances]",
                                                 "-> Initializing show",
                                                 "[Setting up sound]",
                                                 "Play : resources/sound/song.wav",
                                                 "[Demo Init]",
                                                 "Duration : ",
                                                 "FPS = ",
                                                 "[Shutting Down]",
                                                 "[Deleting Pools]",
                                                 "delete QNVDemosys::parameters",
                                                 "delete QNVDemosys::effects",
                                                 "delete QNVDemosys::data",
                                                 "[Dispose effectPool]",
                                                 "delete QNVDemosys::glExtensions",
                                                 "delete QNVDemosys::tracks",
                                                 "delete QNVDemosys::timer",
                                                 "QNVDemosys::shutdown()",
                                                 "[Application End]"};
  return lines;
}
