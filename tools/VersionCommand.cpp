#include <cstdio>

#include "tools/ToolCommand.h"

int runVersionCommand(const std::vector<std::string>& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "demosys version: takes no arguments\n");
    return 2;
  }
  std::printf("demosys %s\n", DEMOSYS_VERSION);
  return 0;
}
