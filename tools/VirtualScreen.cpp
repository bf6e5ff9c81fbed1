// VirtualScreen: starting Xvfb for a headless tool.
#include "tools/VirtualScreen.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

pid_t server = -1;

void stopServer() {
  if (server <= 0) return;
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  server = -1;
}

// Xvfb writes the display number it took, then a line end, to the descriptor -displayfd names.
bool startServer(std::string& display) {
  int ends[2];
  if (pipe(ends) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, ends[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
  std::vector<std::string> arguments = {"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0",
                                        "1920x1080x24", "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const bool started = posix_spawnp(&server, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  std::string number;
  char c = 0;
  while (started && read(ends[0], &c, 1) == 1 && c != '\n') number += c;
  close(ends[0]);
  if (!started || number.empty()) {
    if (started) stopServer();
    server = -1;
    return false;
  }
  display = ":" + number;
  std::atexit(stopServer);
  return true;
}

}  // namespace

bool VirtualScreen::ensure(std::string& problem) {
  const char* given = std::getenv("DISPLAY");
  if (given != nullptr && *given != '\0') return true;
  std::string display;
  if (!startServer(display)) {
    problem = "no DISPLAY and no virtual screen (the Xvfb program could not be started)";
    return false;
  }
  setenv("DISPLAY", display.c_str(), 1);
  return true;
}
