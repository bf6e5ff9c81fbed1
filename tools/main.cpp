// demosys: authoring tool for Quenvar productions. Dispatches to subcommands.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/ToolCommand.h"

namespace {

void printHelp(FILE* out) {
  std::fprintf(out, "usage: demosys COMMAND [ARGS...]\n\ncommands:\n");
  for (const ToolCommand& c : toolCommands()) {
    std::string line = std::string(c.name) + (c.usage[0] ? " " : "") + c.usage;
    std::fprintf(out, "  %-40s %s\n", line.c_str(), c.summary);
  }
  std::fprintf(out, "\n  demosys --help    show this list\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printHelp(stderr);
    return 2;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
    printHelp(stdout);
    return 0;
  }
  for (const ToolCommand& c : toolCommands()) {
    if (std::strcmp(argv[1], c.name) == 0) {
      return c.run(std::vector<std::string>(argv + 2, argv + argc));
    }
  }
  std::fprintf(stderr, "demosys: unknown command '%s' (see demosys --help)\n", argv[1]);
  return 2;
}
