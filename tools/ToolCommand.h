// The `demosys` command-line tool: one entry per subcommand. Each subcommand
// lives in its own source file and receives the arguments after its name.
// A subcommand prints one clear line per problem and returns non-zero on failure.
#pragma once

#include <string>
#include <vector>

struct ToolCommand {
  const char* name;
  const char* usage;    // arguments, shown after the name in --help
  const char* summary;  // one line
  int (*run)(const std::vector<std::string>& args);
};

// Every subcommand, in the order --help lists them.
const std::vector<ToolCommand>& toolCommands();

int runVersionCommand(const std::vector<std::string>& args);
int runPackCommand(const std::vector<std::string>& args);
int runCheckCommand(const std::vector<std::string>& args);
int runTracksCommand(const std::vector<std::string>& args);
int runRenderCommand(const std::vector<std::string>& args);
int runPathCommand(const std::vector<std::string>& args);
int runSceneCommand(const std::vector<std::string>& args);
int runPlayCommand(const std::vector<std::string>& args);
int runEffectsCommand(const std::vector<std::string>& args);
