#include "tools/ToolCommand.h"

const std::vector<ToolCommand>& toolCommands() {
  static const std::vector<ToolCommand> commands = {
      {"version", "", "print the tool's version", runVersionCommand},
  };
  return commands;
}
