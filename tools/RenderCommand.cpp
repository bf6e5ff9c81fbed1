// demosys render: captures a demo's frames for videos and golden images.
//   render [--script NAME] [--archive] [--root DIR] [--size WxH] [--fps N] [--from T] [--to T]
//          [--at T]... [--out DIR] [--video FILE]
// The script is loaded exactly as the demo loads it; the timeline is then driven by a fixed-step
// clock instead of the tick counter: frame k shows time from + k x 1000 / fps with a constant frame
// delta, so every run draws the same frames. --at draws single frames at the given times instead
// of the range. Times are m:ss:mmm or milliseconds. Frames go to DIR as PNG files named by frame
// number, or as raw RGB to the ffmpeg command that writes FILE.
#include <GL/glew.h>
#include <IL/il.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/timeline/Time.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystem.h"
#include "qnvutils/StringUtils.h"
#include "tools/DemoSession.h"
#include "tools/ToolCommand.h"

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

bool parseTime(const std::string& text, unsigned& ms) {
  if (StringUtils::isInt(text) && text[0] != '-') {
    ms = static_cast<unsigned>(std::stoul(text));
    return true;
  }
  Time time(text);
  ms = time.getTicks();
  return time.isValid();
}

bool parseSize(const std::string& text, int& width, int& height) {
  std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  std::string w = text.substr(0, x);
  std::string h = text.substr(x + 1);
  if (!StringUtils::isInt(w) || !StringUtils::isInt(h)) return false;
  width = std::stoi(w);
  height = std::stoi(h);
  return width > 0 && height > 0 && width <= 8192 && height <= 8192;
}

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

bool parseOptions(const std::vector<std::string>& args, RenderOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!parseOption(args, i, o)) return false;
  }
  return (!o.out.empty() || !o.video.empty()) && (o.to >= o.from || !o.at.empty());
}

// The frame times: the --at list, or the range at the fixed step.
std::vector<unsigned> frameTimes(const RenderOptions& o) {
  if (!o.at.empty()) return o.at;
  std::vector<unsigned> times;
  for (unsigned long long k = 0;; ++k) {
    unsigned long long t = o.from + k * 1000ULL / o.fps;
    if (t > o.to) break;
    times.push_back(static_cast<unsigned>(t));
  }
  return times;
}

// Where captured frames go: numbered PNG files, an ffmpeg pipe, or both.
class FrameSink {
 public:
  FrameSink(const RenderOptions& o) : options(o), pixels(static_cast<std::size_t>(o.width) * o.height * 3) {}
  ~FrameSink() {
    if (video != nullptr) pclose(video);
  }
  bool open() {
    if (options.video.empty()) return true;
    std::string command = "ffmpeg -loglevel error -y -f rawvideo -pix_fmt rgb24 -s " +
                          std::to_string(options.width) + "x" + std::to_string(options.height) + " -r " +
                          std::to_string(options.fps) + " -i - -vf vflip -pix_fmt yuv420p '" + options.video +
                          "'";
    video = popen(command.c_str(), "w");
    if (video == nullptr) std::cout << "demosys render: cannot start ffmpeg" << std::endl;
    return video != nullptr;
  }
  // Reads the back buffer (rows bottom-up, as GL counts them) and hands it on.
  bool capture(std::size_t frame) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, options.width, options.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (video != nullptr && fwrite(pixels.data(), 1, pixels.size(), video) != pixels.size()) return false;
    return options.out.empty() || writePNG(frame);
  }

 private:
  bool writePNG(std::size_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "/%06zu.png", frame);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(options.width, options.height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    bool saved = ilSave(IL_PNG, (options.out + name).c_str()) == IL_TRUE;
    ilDeleteImages(1, &image);
    if (!saved) std::cout << "demosys render: cannot write " << options.out << name << std::endl;
    return saved;
  }
  const RenderOptions& options;
  std::vector<unsigned char> pixels;
  FILE* video = nullptr;
};

bool renderFrames(Demo& demo, const RenderOptions& o) {
  FrameSink sink(o);
  if (!sink.open()) return false;
  demo.init();
  demo.startRun();
  // The song is not heard while capturing; the clock is ours.
  QNVDemosys::timer->pause();
  const unsigned step = 1000 / o.fps;
  const unsigned rowRate = static_cast<unsigned>(QNVDemosys::tracks->getRowRate());
  std::vector<unsigned> times = frameTimes(o);
  for (std::size_t k = 0; k < times.size(); ++k) {
    unsigned time = times[k];
    demo.renderFrame(time, time * rowRate / 1000, step);
    if (!sink.capture(k)) return false;
    demo.present();
  }
  std::cout << "Rendered " << times.size() << " frames" << std::endl;
  return true;
}

}  // namespace

int runRenderCommand(const std::vector<std::string>& args) {
  RenderOptions options;
  if (!parseOptions(args, options)) {
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
