// Start to the first presented frame for a small production like the test fixture (demo script,
// the effect definitions, a shader pair, a 256 x 256 image, the loading display's two 1024 x 1024
// pictures, binary data, a 5 s song and a track pack), read from the directory tree and from
// "resources.7z" (packed as the production's archive is, 7za -ms=off -mx=9). Timed as the tarnveld
// program does it: Demo construction, loading display and template registration, load (window,
// every resource, the song decoded), init, and the run's first frame up to its buffer swap; the
// shut-down is not timed. The archive figure reports "vs_directory", its time over the directory
// figure's (which runs first). Needs an X display (xvfb-run -a -s "-screen 0 1280x720x24") and 7za.
#include <GL/glew.h>
#include <IL/il.h>
#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <stdlib.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "demosys/timeline/TrackText.h"
#include "production/TarnveldEntry.h"

namespace fs = std::filesystem;

namespace {

const char* const SCRIPT =
    "{QNVDS1}\n"
    "paths {\ndefinition = resources/definitions/; shaders = resources/shaders/; gfx = resources/graphics/; "
    "misc = resources/misc/; tracks = resources/tracks/; sound = resources/sound/;\n}\n"
    "system {\nstart = 0:00:000; stop = 0:00:300; rowrate = 20;\n}\n"
    "screen {\nwidth = 1280; height = 720;\n}\n"
    "shaders {\nflat = flat;\n}\n"
    "framebuffers {\ntarget = 256, 128, COLOR_BUFFER, DEPTH_BUFFER;\n}\n"
    "graphics {\nlogo = logo.png;\n}\n"
    "binary {\nblob = blob.bin;\n}\n"
    "sound {\nfile = song.wav; play = 1;\n}\n"
    "show * DisplayTexture {\ntexture = logo;\n}\n";

const char* const TRACKS =
    "rowrate 20\n"
    "effect show priority 0\n"
    "  start 0 screen\n"
    "  stop 1000\n";

struct Production {
  std::string error;
  std::string tree;    // holds resources/
  std::string packed;  // holds only resources.7z
};

void writeText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A smooth gradient, compressible as real pictures are.
bool writePicture(const fs::path& path, int size, int channels) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      for (int c = 0; c < channels; ++c) {
        pixels.push_back(static_cast<uint8_t>((x * (c + 1) + y) * 255 / size));
      }
    }
  }
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  ILenum format = channels == 4 ? IL_RGBA : IL_RGB;
  ilTexImage(size, size, 1, static_cast<ILubyte>(channels), format, IL_UNSIGNED_BYTE, pixels.data());
  ilEnable(IL_FILE_OVERWRITE);
  bool saved = ilSave(IL_PNG, path.c_str()) == IL_TRUE;
  ilDeleteImages(1, &image);
  return saved;
}

// Five seconds of a 440 Hz tone, 16-bit stereo at 44.1 kHz.
bool writeSong(const fs::path& path) {
  SF_INFO info = {};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return false;
  const sf_count_t frames = 5 * 44100;
  std::vector<float> samples(frames * 2);
  for (sf_count_t f = 0; f < frames; ++f) {
    samples[f * 2] = samples[f * 2 + 1] = 0.3f * static_cast<float>(std::sin(2.0 * M_PI * 440.0 * f / 44100));
  }
  bool written = sf_writef_float(file, samples.data(), frames) == frames;
  return sf_close(file) == 0 && written;
}

bool writeTracks(const fs::path& dir) {
  TrackText reader;
  std::unique_ptr<TrackSystem> system(reader.read(TRACKS));
  fs::create_directories(dir);
  TrackSystemIO writer(dir.string() + "/");
  return system && writer.savePack(system.get());
}

std::string writeProduction(const fs::path& root) {
  const fs::path res = root / "tree" / "resources";
  writeText(res / "scripts/demoscript.txt", SCRIPT);
  std::error_code error;
  fs::copy(std::string(DEMOSYS_SOURCE_DIR) + "/resources/definitions", res / "definitions",
           fs::copy_options::recursive, error);
  if (error) return "could not copy the effect definitions";
  writeText(res / "shaders/flat.vert", "void main() { gl_Position = ftransform(); }\n");
  writeText(res / "shaders/flat.frag", "void main() { gl_FragColor = vec4(1.0); }\n");
  writeText(res / "misc/blob.bin", std::string(4096, 'x'));
  fs::create_directories(res / "graphics");
  fs::create_directories(res / "sound");
  ilInit();
  bool pictures = writePicture(res / "graphics/logo.png", 256, 3) &&
                  writePicture(res / "graphics/Loading1.png", 1024, 4) &&
                  writePicture(res / "graphics/Loading2.png", 1024, 4);
  if (!pictures) return "could not write the pictures";
  if (!writeSong(res / "sound/song.wav")) return "could not write the song";
  {
    std::streambuf* previous = std::cout.rdbuf(nullptr);
    bool tracks = writeTracks(res / "tracks");
    std::cout.rdbuf(previous);
    if (!tracks) return "could not write the track pack";
  }
  fs::create_directories(root / "packed");
  std::string pack = "cd '" + (root / "tree").string() + "' && 7za a -ms=off -mx=9 '" +
                     (root / "packed/resources.7z").string() + "' resources >/dev/null 2>&1";
  if (std::system(pack.c_str()) != 0) return "7za could not pack the production";
  return "";
}

Production& production() {
  static Production p;
  static bool made = false;
  if (made) return p;
  made = true;
  if (getenv("DISPLAY") == nullptr) {
    p.error = "no X display: run under xvfb-run -a -s \"-screen 0 1280x720x24\"";
    return p;
  }
  char dir[] = "/tmp/startupbench.XXXXXX";
  if (mkdtemp(dir) == nullptr) {
    p.error = "no temporary directory";
    return p;
  }
  p.error = writeProduction(dir);
  p.tree = std::string(dir) + "/tree";
  p.packed = std::string(dir) + "/packed";
  return p;
}

// Start-up as the tarnveld program does it, up to the first frame's swap (glFinish waits for it).
std::unique_ptr<Demo> startToFirstFrame(ScreenMetrics& metrics, int resourceType) {
  char program[] = "tarnveld";
  char* argv[] = {program, nullptr};
  std::unique_ptr<Demo> demo = createTarnveldDemo(1, argv);
  demo->load(&metrics, resourceType);
  demo->init();
  if (!demo->isValid()) return demo;
  demo->startRun();
  Timer* timer = QNVDemosys::timer;
  timer->updateSystem();
  unsigned time = timer->getTime();
  unsigned row = timer->getRow();
  demo->drawFrame(time, row, timer->updateFrameTime(time));
  glFinish();
  return demo;
}

// Under Xvfb, bringing SDL's video up again after a shut-down now and then fails to reach the X
// server ("x11 not available"); such a start is tried again, and only a start that loaded is timed.
bool timedStart(int source, double& seconds, std::string& failure) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    ScreenMetrics metrics;
    metrics.setResolution(1280, 720);
    metrics.setFullscreen(false);
    metrics.setFullscreenOverride(true);
    auto start = std::chrono::steady_clock::now();
    std::unique_ptr<Demo> demo = startToFirstFrame(metrics, source);
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    seconds = elapsed.count();
    bool loaded = demo->isValid();
    failure = loaded ? "" : demo->getLoaderMessage();
    demo->dispose();
    if (loaded) return true;
  }
  return false;
}

double directorySeconds = 0.0;

// Argument 0: the directory tree; 1: the archive.
void BM_StartToFirstFrame(benchmark::State& state) {
  const Production& p = production();
  if (!p.error.empty()) {
    state.SkipWithError(p.error.c_str());
    return;
  }
  const bool archive = state.range(0) == 1;
  const int source = archive ? QNVIO::QNV_RESOURCES_7Z : QNVIO::QNV_RESOURCES_FLAT;
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  fs::current_path(archive ? p.packed : p.tree);
  std::streambuf* console = std::cout.rdbuf(nullptr);
  double total = 0.0;
  for (auto _ : state) {
    double seconds = 0.0;
    std::string failure;
    if (!timedStart(source, seconds, failure)) {
      state.SkipWithError(("the production failed to load: " + failure).c_str());
      break;
    }
    state.SetIterationTime(seconds);
    total += seconds;
  }
  std::cout.rdbuf(console);
  if (state.error_occurred()) return;
  double perStart = total / static_cast<double>(state.iterations());
  if (!archive) directorySeconds = perStart;
  if (archive && directorySeconds > 0.0) state.counters["vs_directory"] = perStart / directorySeconds;
}
BENCHMARK(BM_StartToFirstFrame)
    ->ArgName("archive")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(12);

}  // namespace
