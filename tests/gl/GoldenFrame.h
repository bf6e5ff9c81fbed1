// Test helper: the golden frames of a production, named in a list file (its format is described in
// tests/golden/times.txt), each rendered with `demosys render` and compared with NAME.png. The check
// never writes references: a missing one fails with the command that makes it.
// Depends on: GoldenImage, ToolRun (the built demosys tool).
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct GoldenFrame {
  std::string name;
  std::string time;
  int line = 0;
  // Why the list line cannot be used (empty when it can).
  std::string problem;
  // Where the played range starts; empty when the frame is rendered alone.
  std::string from;

  // The frames of the list file in order. A line that is not "NAME TIME" (NAME of letters, digits
  // and "_", used once) still yields a frame, named "line_N", that carries its problem; a missing
  // file yields one such frame.
  static std::vector<GoldenFrame> readList(const std::string& path);
};

// gtest prints parameters with this.
std::ostream& operator<<(std::ostream& out, const GoldenFrame& frame);

struct GoldenFrameCheck {
  std::string root;          // the production's directory
  std::string referenceDir;  // holds NAME.png
  std::string outDir;        // the rendered frame and the diff picture go to outDir/NAME/
  int width = 640;
  int height = 360;

  // Empty when the frame matches its reference; otherwise what went wrong (naming the diff
  // picture when the pictures differ).
  std::string run(const GoldenFrame& frame) const;
};
