// demosys render: captures a demo's frames for videos and golden images.
//   render [--script NAME] [--archive] [--root DIR] [--size WxH] [--fps N] [--from T] [--to T]
//          [--at T]... [--out DIR] [--video FILE]
// The script is loaded exactly as the demo loads it; the timeline is then driven by a fixed-step
// clock instead of the tick counter (FixedStepClock), the song seeked with it, so every run draws
// the same frames. --at draws single frames at the given times instead of the range, each the
// picture the range would show at that time (the frame before it is drawn first). Times are
// m:ss:mmm or milliseconds. Frames go to DIR as PNG files named by frame number, and/or as raw RGB
// to the ffmpeg command that writes FILE; a range's video carries the demo's song (AAC, or Vorbis
// for .webm and .mkv files), ffmpeg started without a shell. On a terminal a progress line shows
// frames done, frames a second and the time left. The run ends with the frame-time statistics
// (median, worst 1 %, the slowest frame's demo time).
#include <GL/glew.h>
#include <IL/il.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "demosys/core/FrameTimes.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/sound/Sound.h"
#include "demosys/timeline/FixedStepClock.h"
#include "qnvutils/StringUtils.h"
#include "tools/DemoSession.h"
#include "tools/PipedProcess.h"
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

// ffmpeg's arguments: raw frames on its standard input, the soundtrack file (when there is one) in
// the audio codec the container takes, the picture turned top-down.
std::vector<std::string> encoderArguments(const RenderOptions& o, const std::string& soundtrack) {
  std::vector<std::string> a = {"ffmpeg", "-loglevel", "error", "-y", "-f", "rawvideo", "-pix_fmt", "rgb24",
                                "-s", std::to_string(o.width) + "x" + std::to_string(o.height),
                                "-r", std::to_string(o.fps), "-i", "-"};
  if (!soundtrack.empty()) {
    const bool vorbis = endsWith(o.video, ".webm") || endsWith(o.video, ".mkv");
    a.insert(a.end(), {"-f", "f32le", "-ar", std::to_string(Sound::RATE), "-ac", "2", "-i", soundtrack,
                       "-c:a", vorbis ? "libvorbis" : "aac"});
  }
  a.insert(a.end(), {"-vf", "vflip", "-pix_fmt", "yuv420p", o.video});
  return a;
}

// The frames' folder is made when missing, as a demo maker naming a new one expects.
bool makeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) std::cerr << "demosys render: cannot make " << folder << ": " << error.message() << std::endl;
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
    // An ffmpeg that gave up shows as a failed write, not as a tool killed by the broken pipe.
    std::signal(SIGPIPE, SIG_IGN);
    if (encoder.start(encoderArguments(options, soundtrack))) return true;
    std::cerr << "demosys render: cannot start ffmpeg" << std::endl;
    return false;
  }
  // Reads the back buffer (rows bottom-up, as GL counts them) and hands it on.
  bool capture(std::size_t frame) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, options.width, options.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* video = encoder.input();
    if (video != nullptr && fwrite(pixels.data(), 1, pixels.size(), video) != pixels.size()) {
      std::cerr << "demosys render: ffmpeg stopped taking frames" << std::endl;
      return false;
    }
    return options.out.empty() || writePNG(frame);
  }
  // Waits for ffmpeg to write the video; false with a line when it failed.
  bool finish() {
    if (encoder.input() == nullptr) return true;
    const bool done = encoder.finish();
    if (!done) std::cerr << "demosys render: ffmpeg could not write " << options.video << std::endl;
    return done;
  }

 private:
  bool writePNG(std::size_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "/%06zu.png", frame);
    bool saved = savePNG(options.out + name, options.width, options.height, pixels);
    if (!saved) std::cerr << "demosys render: cannot write " << options.out << name << std::endl;
    return saved;
  }
  const RenderOptions& options;
  std::vector<unsigned char> pixels;
  PipedProcess encoder;
};

// On a terminal, one line that shows how far the render is: frames done, frames a second and the
// time left, rewritten at most five times a second. Nothing when standard error is a file or pipe.
class ProgressLine {
 public:
  explicit ProgressLine(std::size_t frames) : total(frames), shown(isatty(STDERR_FILENO) == 1) {}
  ~ProgressLine() {
    if (shown && drawn) std::fputc('\n', stderr);
  }
  void frameDone(std::size_t done) {
    if (!shown) return;
    const auto now = std::chrono::steady_clock::now();
    if (done < total && now - lastDrawn < std::chrono::milliseconds(200)) return;
    lastDrawn = now;
    drawn = true;
    const double seconds = std::chrono::duration<double>(now - begin).count();
    const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    const long left = rate > 0.0 ? std::lround(static_cast<double>(total - done) / rate) : 0;
    std::fprintf(stderr, "\rframe %zu/%zu  %.1f fps  %ld:%02ld left ", done, total, rate, left / 60, left % 60);
    std::fflush(stderr);
  }

 private:
  std::size_t total;
  bool shown;
  bool drawn = false;
  std::chrono::steady_clock::time_point begin = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point lastDrawn{};
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
  ProgressLine progress(times.size());
  for (std::size_t k = 0; k < times.size(); ++k) {
    // What an effect's predraw sets up is what the next frame draws with (the projection, for
    // one), so a frame drawn alone would differ from the same frame in a sequence. A frame that
    // does not follow the one before it in a sequence has its predecessor drawn first, unseen.
    const bool follows = o.at.empty() && k > 0;
    if (!follows && times[k] >= clock.getStep()) {
      FixedStepClock::Frame before = clock.frameAt(times[k] - clock.getStep());
      demo.renderFrame(before.time, before.row, before.frameTime);
    }
    FixedStepClock::Frame frame = clock.frameAt(times[k]);
    costs.add(timedFrame(demo, frame), frame.time);
    if (!sink.capture(k)) return false;
    demo.present();
    progress.frameDone(k + 1);
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
