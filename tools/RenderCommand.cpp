// demosys render: captures a demo's frames for videos and golden images.
//   render [--script NAME] [--archive] [--root DIR] [--size WxH] [--fps N] [--from T] [--to T]
//          [--at T]... [--out DIR] [--video FILE]
// The script is loaded exactly as the demo loads it; the timeline is then driven by a fixed-step
// clock instead of the tick counter (FixedStepClock), the song seeked with it, so every run draws
// the same frames. --at draws single frames at the given times instead of the range. Times are
// m:ss:mmm or milliseconds. Frames go to DIR as PNG files named by frame number, and/or as raw RGB
// to the ffmpeg command that writes FILE; a range's video carries the demo's song (AAC, or Vorbis
// for .webm and .mkv files). The run ends with the frame-time statistics (median, worst 1 %, the
// slowest frame's demo time).
#include <GL/glew.h>
#include <IL/il.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <iostream>
#include <string>
#include <vector>

#include "demosys/core/FrameTimes.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/sound/Sound.h"
#include "demosys/timeline/FixedStepClock.h"
#include "qnvutils/StringUtils.h"
#include "tools/DemoSession.h"
#include "tools/Soundtrack.h"
#include "tools/ToolCommand.h"
#include "tools/ToolSupport.h"

namespace {

struct RenderOptions {
  DemoSource source;
  int width = 1280;
  int height = 720;
  unsigned fps = 30;
  unsigned from = 0;
  unsigned to = 0;
  std::vector<unsigned> at;
  std::string out;
  std::string video;
};

bool parseOption(const std::vector<std::string>& args, std::size_t& i, RenderOptions& o) {
  if (o.source.take(args, i)) return true;
  if (i + 1 >= args.size()) return false;
  const std::string& name = args[i];
  const std::string& value = args[++i];
  unsigned time = 0;
  if (name == "--size") return parseSize(value, o.width, o.height);
  if (name == "--fps") return StringUtils::isInt(value) && (o.fps = std::stoul(value)) > 0 && o.fps <= 1000;
  if (name == "--out") return !(o.out = value).empty();
  if (name == "--video") return !(o.video = value).empty();
  if (!parseTime(value, time)) return false;
  if (name == "--from")
    o.from = time;
  else if (name == "--to")
    o.to = time;
  else if (name == "--at")
    o.at.push_back(time);
  else
    return false;
  return true;
}

// Why args[i] could not be taken: the option's name and what is wrong with it.
std::string optionProblem(const std::vector<std::string>& args, std::size_t i) {
  static const char* const withValues[] = {"--size", "--fps",  "--out",  "--video",
                                           "--from", "--to",   "--at",   "--root", "--script"};
  const std::string& name = args[i];
  bool known = std::find(std::begin(withValues), std::end(withValues), name) != std::end(withValues);
  if (!known) return "unknown option '" + name + "'";
  return i + 1 >= args.size() ? "missing value for " + name : "bad " + name;
}

bool parseOptions(const std::vector<std::string>& args, RenderOptions& o, std::string& problem) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::size_t first = i;
    if (!parseOption(args, i, o)) {
      problem = optionProblem(args, first);
      return false;
    }
  }
  if (o.out.empty() && o.video.empty()) problem = "no --out DIR or --video FILE";
  else if (o.to < o.from && o.at.empty()) problem = "--to lies before --from";
  return problem.empty();
}

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// ffmpeg's input options for the soundtrack file and the audio codec the container takes.
std::string audioInput(const std::string& soundtrack) {
  return " -f f32le -ar " + std::to_string(Sound::RATE) + " -ac 2 -i '" + soundtrack + "'";
}

std::string audioCodec(const std::string& video) {
  bool vorbis = endsWith(video, ".webm") || endsWith(video, ".mkv");
  return vorbis ? " -c:a libvorbis" : " -c:a aac";
}

// The frames' folder is made when missing, as a demo maker naming a new one expects.
bool makeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) std::cout << "demosys render: cannot make " << folder << ": " << error.message() << std::endl;
  return !error;
}

// Where captured frames go: numbered PNG files, an ffmpeg pipe, or both.
class FrameSink {
 public:
  FrameSink(const RenderOptions& o) : options(o), pixels(static_cast<std::size_t>(o.width) * o.height * 3) {}
  ~FrameSink() { finish(); }
  // soundtrack: a raw song file to mux in, or "" for a silent video.
  bool open(const std::string& soundtrack) {
    if (!options.out.empty() && !makeFolder(options.out)) return false;
    if (options.video.empty()) return true;
    std::string command = "ffmpeg -loglevel error -y -f rawvideo -pix_fmt rgb24 -s " +
                          std::to_string(options.width) + "x" + std::to_string(options.height) + " -r " +
                          std::to_string(options.fps) + " -i -";
    if (!soundtrack.empty()) command += audioInput(soundtrack) + audioCodec(options.video);
    command += " -vf vflip -pix_fmt yuv420p '" + options.video + "'";
    // An ffmpeg that gave up shows as a failed write, not as a tool killed by the broken pipe.
    std::signal(SIGPIPE, SIG_IGN);
    video = popen(command.c_str(), "w");
    if (video == nullptr) std::cout << "demosys render: cannot start ffmpeg" << std::endl;
    return video != nullptr;
  }
  // Reads the back buffer (rows bottom-up, as GL counts them) and hands it on.
  bool capture(std::size_t frame) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, options.width, options.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (video != nullptr && fwrite(pixels.data(), 1, pixels.size(), video) != pixels.size()) {
      std::cout << "demosys render: ffmpeg stopped taking frames" << std::endl;
      return false;
    }
    return options.out.empty() || writePNG(frame);
  }
  // Waits for ffmpeg to write the video; false with a line when it failed.
  bool finish() {
    if (video == nullptr) return true;
    bool done = pclose(video) == 0;
    video = nullptr;
    if (!done) std::cout << "demosys render: ffmpeg could not write " << options.video << std::endl;
    return done;
  }

 private:
  bool writePNG(std::size_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "/%06zu.png", frame);
    bool saved = savePNG(options.out + name, options.width, options.height, pixels);
    if (!saved) std::cout << "demosys render: cannot write " << options.out << name << std::endl;
    return saved;
  }
  const RenderOptions& options;
  std::vector<unsigned char> pixels;
  FILE* video = nullptr;
};

// The song of a range, for the video: from the first frame's time for as long as the frames last.
bool prepareSoundtrack(const RenderOptions& o, std::size_t frames, Soundtrack& soundtrack) {
  if (o.video.empty() || !o.at.empty()) return true;
  int source = o.source.archive ? QNVIO::QNV_RESOURCES_7Z : QNVIO::QNV_RESOURCES_FLAT;
  if (!soundtrack.load(source)) return false;
  unsigned lengthMs = static_cast<unsigned>(frames * 1000 / o.fps);
  return !soundtrack.hasSong() || soundtrack.writeRange(o.from, lengthMs);
}

// Milliseconds the frame took to draw, the GL pipeline drained so the cost is the renderer's too.
double timedFrame(Demo& demo, const FixedStepClock::Frame& frame) {
  auto begin = std::chrono::steady_clock::now();
  demo.renderFrame(frame.time, frame.row, frame.frameTime);
  glFinish();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
}

bool renderFrames(Demo& demo, const RenderOptions& o) {
  FixedStepClock clock(*QNVDemosys::timer, o.fps);
  std::vector<unsigned> times = o.at.empty() ? clock.rangeTimes(o.from, o.to) : o.at;
  Soundtrack soundtrack;
  if (!prepareSoundtrack(o, times.size(), soundtrack)) return false;
  FrameSink sink(o);
  if (!sink.open(soundtrack.getPath())) return false;
  demo.init();
  demo.startRun();
  clock.start();
  FrameTimes costs(times.size());
  for (std::size_t k = 0; k < times.size(); ++k) {
    FixedStepClock::Frame frame = clock.frameAt(times[k]);
    costs.add(timedFrame(demo, frame), frame.time);
    if (!sink.capture(k)) return false;
    demo.present();
  }
  if (!sink.finish()) return false;
  std::cout << "Rendered " << times.size() << " frames" << std::endl;
  std::cout << costs.summary() << std::endl;
  return true;
}

}  // namespace

int runRenderCommand(const std::vector<std::string>& args) {
  RenderOptions options;
  std::string problem;
  if (!parseOptions(args, options, problem)) {
    std::fprintf(stderr, "demosys render: %s\n", problem.c_str());
    std::fprintf(stderr,
                 "usage: demosys render [--script NAME] [--archive] [--root DIR] [--size WxH] [--fps N] "
                 "[--from T] [--to T] [--at T]... (--out DIR | --video FILE)\n");
    return 2;
  }
  if (!options.source.enter("render")) return 2;
  ilInit();
  DemoSession session(options.source.script, options.width, options.height);
  if (!session.load(options.source.archive, "render")) return 1;
  return renderFrames(session.demo(), options) ? 0 : 1;
}
