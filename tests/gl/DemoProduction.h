// Test helper: a small production written into a temporary tree (demo script, the effect
// definitions, a shader pair, an image, the loading display's pictures, binary data, a song and a
// track pack built with the `demosys tracks build` tool), and runs of the `tarnveld` program (without
// its launcher dialog: tarnveld_windowed) or the `demosys` tool on it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/TempTree.h"

struct ProgramRun {
  int status = -1;
  std::string out;
  std::vector<std::string> lines() const;
  // Whether lines starting with each of prefixes appear in this order (others may come between);
  // missing receives the first prefix not found.
  bool inOrder(const std::vector<std::string>& prefixes, std::string* missing) const;
  int count(const std::string& line) const;
};

class DemoProduction {
 public:
  // Writes the fixture; blocks of the script may be replaced or dropped before writing it with
  // writeScript (an empty text drops the block).
  DemoProduction();
  bool ok() const { return tree.ok() && built; }
  void setBlock(const std::string& name, const std::string& body) { blocks[name] = body; }
  void writeScript();
  void write(const std::string& relative, const std::string& bytes) const { tree.write(relative, bytes); }
  std::string read(const std::string& relative) const { return tree.read(relative); }
  std::string path(const std::string& relative) const { return tree.path(relative); }
  // Packs the resources tree into "resources.7z" and renames the tree, so only the archive is read.
  bool archiveOnly();
  // `tarnveld` (in a 1280 x 720 window, no dialog) in the fixture's directory, its output (stdout and
  // stderr) and exit status.
  ProgramRun runDemo(const std::string& argument = "") const;
  ProgramRun runTool(const std::string& arguments) const;
  // Replaces the track pack with one built from the timeline text.
  bool buildTracks(const std::string& text);

 private:
  TempTree tree;
  std::map<std::string, std::string> blocks;
  bool built = false;
};

// The console lines of a complete successful run of the fixture, in order.
const std::vector<std::string>& fixtureRunLines();
