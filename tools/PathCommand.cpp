// `demosys path`: camera-path files as the demo reads them. `eval` prints the pose at a progress
// along the path (linear, or Catmull-Rom with --catmull); `print` writes the file back in the form
// the engine writes.
// Depends on: AnimationParser, Animation.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>

#include "demosys/camera/Animation.h"
#include "demosys/camera/AnimationParser.h"
#include "tools/ToolCommand.h"

namespace {

const char* const USAGE =
    "usage: demosys path eval FILE U [--catmull]\n"
    "       demosys path print FILE\n";

int failure(const std::string& message) {
  std::fprintf(stderr, "demosys path: %s%s", message.c_str(), message.back() == '\n' ? "" : "\n");
  return 1;
}

// The parser's message spans lines; the tool reports it on one.
std::unique_ptr<Animation> readPath(const std::string& file, std::string& error) {
  AnimationParser parser(file);
  std::unique_ptr<Animation> animation(parser.parse());
  if (animation == nullptr) {
    error = parser.getErrorMessage();
    for (std::size_t at = error.find('\n'); at != std::string::npos && at + 1 < error.size();
         at = error.find('\n', at)) {
      error[at] = ' ';
    }
  }
  return animation;
}

bool parseProgress(const std::string& text, double& u) {
  char* end = nullptr;
  u = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && std::isfinite(u);
}

// The engine reports a progress off the path with a line on standard output and keeps the pose;
// the tool has no pose to keep, so that line becomes its error.
int eval(const std::string& file, const std::string& progress, bool catmull) {
  double u = 0.0;
  if (!parseProgress(progress, u)) return failure("U must be a finite number, such as 0.25");
  std::string error;
  std::unique_ptr<Animation> animation = readPath(file, error);
  if (!animation) return failure(error);
  animation->setInterpolationType(catmull ? Animation::CATMULL_ROM : Animation::LINEAR);
  std::ostringstream engineLines;
  std::streambuf* console = std::cout.rdbuf(engineLines.rdbuf());
  animation->next(u);
  std::cout.rdbuf(console);
  if (!engineLines.str().empty()) return failure(file + ": " + engineLines.str());
  const Vector3f& p = animation->getPosition();
  std::cout << "position " << p[0] << " " << p[1] << " " << p[2] << " pitch " << animation->getPitch()
            << " heading " << animation->getHeading() << "\n";
  return 0;
}

int print(const std::string& file) {
  std::string error;
  std::unique_ptr<Animation> animation = readPath(file, error);
  if (!animation) return failure(error);
  animation->print();
  return 0;
}

}  // namespace

int runPathCommand(const std::vector<std::string>& args) {
  std::string sub = args.empty() ? "" : args[0];
  if (sub == "eval" && args.size() == 3) return eval(args[1], args[2], false);
  if (sub == "eval" && args.size() == 4 && args[3] == "--catmull") return eval(args[1], args[2], true);
  if (sub == "print" && args.size() == 2) return print(args[1]);
  std::fputs(USAGE, stderr);
  return 2;
}
