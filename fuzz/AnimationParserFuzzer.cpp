// Arbitrary text as a camera-path file. A parse either fails with a message or gives a path that
// can be played in both interpolation modes at progresses on, off and far off the path, and whose
// written form reads back to the same written form.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

#include "demosys/camera/Animation.h"
#include "demosys/camera/AnimationParser.h"

namespace {

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

// Playing off the path prints a line per call; the run keeps its console quiet.
// Standard output outlives this object: it must not be left pointing at the buffer that dies here.
struct QuietConsole {
  QuietConsole() : console(std::cout.rdbuf(&sink)) {}
  ~QuietConsole() { std::cout.rdbuf(console); }
  NullBuffer sink;
  std::streambuf* console;
};

std::string written(const Animation& animation) {
  std::ostringstream out;
  animation.print(out);
  return out.str();
}

void play(Animation& animation) {
  const double progresses[] = {0.0,
                               0.3,
                               0.5,
                               0.999,
                               1.0,
                               -0.5,
                               7.0,
                               1e30,
                               -1e30,
                               std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
  for (int type : {Animation::LINEAR, Animation::CATMULL_ROM, 5}) {
    animation.setInterpolationType(type);
    for (double u : progresses) animation.next(u);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QuietConsole quiet;
  const std::string text(reinterpret_cast<const char*>(data), size);
  AnimationParser parser("fuzz.ani");
  std::unique_ptr<Animation> animation(parser.parseText(text));
  if (!animation != !parser.isValid() || (!animation && parser.getErrorMessage().empty())) __builtin_trap();
  if (!animation) return 0;
  play(*animation);
  const std::string once = written(*animation);
  AnimationParser again("fuzz.ani");
  std::unique_ptr<Animation> reread(again.parseText(once));
  if (!reread || written(*reread) != once) __builtin_trap();
  return 0;
}
