// demosys pack script / pack build: the archive of a production, made the way the engine lists
// what it reads.
//   pack script [--archive] [--root DIR] [--out FILE] [SCRIPT]
//       loads the demo script (a name inside "resources/scripts/", default "demoscript.txt") as the
//       demo does, in a small window, and writes the shell script that packs everything the loaded
//       demo reads into "resources.7z" with the 7za command (FILE, default "packresources.sh")
//   pack build [--root DIR] [--out FILE]
//       runs that script in DIR; the archive is "resources.7z" there, 7za's output "resources.7z.log"
#include "tools/PackScriptCommand.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "demosys/resources/ResourceLoader.h"
#include "tools/DemoSession.h"

namespace {

const char* const DEFAULT_SCRIPT_FILE = "packresources.sh";

bool parseOptions(const std::vector<std::string>& args, bool allowDemo, DemoSource& source,
                  std::string& out) {
  bool scriptGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--out" && i + 1 < args.size()) {
      out = args[++i];
    } else if (args[i] == "--root" && i + 1 < args.size()) {
      source.root = args[++i];
    } else if (allowDemo && args[i] == "--archive") {
      source.archive = true;
    } else if (!allowDemo || args[i].rfind("--", 0) == 0 || scriptGiven) {
      return false;
    } else {
      source.script = args[i];
      scriptGiven = true;
    }
  }
  return true;
}

}  // namespace

int runPackScript(const std::vector<std::string>& args) {
  DemoSource source;
  std::string out = DEFAULT_SCRIPT_FILE;
  if (!parseOptions(args, true, source, out)) {
    std::fprintf(stderr, "usage: demosys pack script [--archive] [--root DIR] [--out FILE] [SCRIPT]\n");
    return 2;
  }
  if (!source.enter("pack")) return 2;
  DemoSession session(source.script, 320, 180);
  if (!session.load(source.archive, "pack")) return 1;
  session.demo().getLoader()->createCopyScript("7za", out);
  if (!std::filesystem::exists(out)) {
    std::cout << "demosys pack: cannot write '" << out << "'" << std::endl;
    return 1;
  }
  std::cout << "Wrote packing script '" << out << "'" << std::endl;
  return 0;
}

int runPackBuild(const std::vector<std::string>& args) {
  DemoSource source;
  std::string out = DEFAULT_SCRIPT_FILE;
  if (!parseOptions(args, false, source, out)) {
    std::fprintf(stderr, "usage: demosys pack build [--root DIR] [--out FILE]\n");
    return 2;
  }
  if (!source.enter("pack")) return 2;
  if (!std::filesystem::exists(out)) {
    std::fprintf(stderr, "demosys pack: no packing script '%s' (run demosys pack script)\n", out.c_str());
    return 1;
  }
  std::string command = "sh '" + out + "'";
  if (std::system(command.c_str()) != 0 || !std::filesystem::exists("resources.7z")) {
    std::fprintf(stderr, "demosys pack: packing failed, see resources.7z.log\n");
    return 1;
  }
  std::printf("Wrote resources.7z\n");
  return 0;
}
