// demosys play: the development player.
//   play [--archive] [--root DIR] [--size WxH] [--timeline FILE] [SCRIPT]
// Loads SCRIPT (a name in "resources/scripts/", default "demoscript.txt") as the demo does, from
// the tree under DIR or its "resources.7z", and plays it in a window of W x H (1280 x 720) with
// the development overlay and keys. FILE is the timeline text the track pack was compiled from;
// saving it puts the new tracks into the playing demo.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/DevPlayer.h"
#include "tools/ToolCommand.h"
#include "tools/ToolSupport.h"

namespace {

bool parseOptions(const std::vector<std::string>& args, DevPlayer::Options& o) {
  bool scriptGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (o.source.take(args, i)) continue;
    bool valued = i + 1 < args.size();
    if (args[i] == "--size" && valued) {
      if (!parseSize(args[++i], o.width, o.height)) return false;
    } else if (args[i] == "--timeline" && valued) {
      o.timeline = std::filesystem::absolute(args[++i]).string();
    } else if (args[i].rfind("--", 0) == 0 || scriptGiven) {
      return false;
    } else {
      if (!args[i].empty()) o.source.script = args[i];
      scriptGiven = true;
    }
  }
  return true;
}

}  // namespace

int runPlayCommand(const std::vector<std::string>& args) {
  DevPlayer::Options options;
  if (!parseOptions(args, options)) {
    std::fprintf(stderr, "usage: demosys play [--archive] [--root DIR] [--size WxH] [--timeline FILE] [SCRIPT]\n");
    return 2;
  }
  if (!options.source.enter("play")) return 2;
  DevPlayer player(options);
  return player.run() ? 0 : 1;
}
