// GoldenFrame: the list file and one frame's render and comparison.
#include "tests/gl/GoldenFrame.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "tests/gl/GoldenImage.h"
#include "tests/support/ToolRun.h"

namespace {

const std::regex frameLine(R"(\s*([A-Za-z0-9_]+)\s+(\d+:\d{2}:\d{3})(?:\s+from\s+(\d+:\d{2}:\d{3}))?\s*)");

// The line without its comment; false when nothing is left.
bool content(std::string& line) {
  line = line.substr(0, line.find('#'));
  return line.find_first_not_of(" \t\r") != std::string::npos;
}

}  // namespace

std::vector<GoldenFrame> GoldenFrame::readList(const std::string& path) {
  std::vector<GoldenFrame> frames;
  std::ifstream in(path);
  if (!in) {
    frames.push_back({"line_0", "", 0, "cannot read " + path, ""});
    return frames;
  }
  std::set<std::string> names;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!content(line)) continue;
    GoldenFrame frame{"line_" + std::to_string(number), "", number, "", ""};
    std::string where = path + ":" + std::to_string(number) + ": ";
    std::smatch match;
    if (!std::regex_match(line, match, frameLine)) {
      frame.problem = where + "expected NAME m:ss:mmm, found \"" + line + "\"";
    } else if (!names.insert(match[1]).second) {
      frame.problem = where + "the name " + match[1].str() + " is used twice";
    } else {
      frame.name = match[1];
      frame.time = match[2];
      frame.from = match[3];
    }
    frames.push_back(frame);
  }
  return frames;
}

std::ostream& operator<<(std::ostream& out, const GoldenFrame& frame) {
  return out << frame.name << " at " << (frame.time.empty() ? "?" : frame.time);
}

std::string GoldenFrameCheck::run(const GoldenFrame& frame) const {
  namespace fs = std::filesystem;
  if (!frame.problem.empty()) return frame.problem;
  if (!fs::is_directory(fs::path(root) / "resources"))
    return "no production at " + root + ": build it first (scripts/build)";
  fs::path reference = fs::path(referenceDir) / (frame.name + ".png");
  if (!fs::exists(reference))
    return "no reference picture " + reference.string() + ": make it with scripts/update-golden " +
           frame.name + ", look at it, and commit it";

  fs::path out = fs::absolute(fs::path(outDir) / frame.name);
  std::error_code error;
  fs::remove_all(out, error);
  fs::create_directories(out, error);
  std::ostringstream args;
  args << "render --root '" << root << "' --size " << width << "x" << height << " --out '" << out.string() << "'";
  if (frame.from.empty())
    args << " --at " << frame.time;
  else
    args << " --from " << frame.from << " --to " << frame.time << " --fps 25";
  ToolRun render = ToolRun::of(args.str());
  if (render.status != 0)
    return "demosys " + args.str() + " ended with status " + std::to_string(render.status) + ":\n" +
           render.out;

  std::string last;  // the frames are numbered from 000000.png
  for (const auto& entry : fs::directory_iterator(out, error)) last = std::max(last, entry.path().string());
  // The production's frames come out of the software rasteriser the same to within a pixel or
  // two, so a tenth of a percent is allowance enough and still shows a fault as small as one
  // meter bar or a blinking cursor.
  GoldenComparison comparison = GoldenImage(GoldenImage::defaultTolerance, 0.001)
                                    .compare(last, reference.string(), (out / "diff.png").string());
  return comparison.matches ? "" : comparison.message;
}
