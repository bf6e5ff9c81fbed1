// PipedProcess: spawning a program with a pipe on its standard input.
#include "tools/PipedProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

PipedProcess::~PipedProcess() { finish(); }

bool PipedProcess::start(const std::vector<std::string>& arguments) {
  if (arguments.empty() || stream != nullptr) return false;
  int ends[2];
  if (pipe(ends) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, ends[0]);
  posix_spawn_file_actions_addclose(&actions, ends[1]);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const bool started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(ends[0]);
  if (!started) {
    close(ends[1]);
    child = -1;
    return false;
  }
  stream = fdopen(ends[1], "w");
  if (stream != nullptr) return true;
  close(ends[1]);
  finish();
  return false;
}

bool PipedProcess::finish() {
  if (stream != nullptr) std::fclose(stream);
  stream = nullptr;
  if (child < 0) return false;
  int status = 0;
  const bool waited = waitpid(child, &status, 0) == child;
  child = -1;
  return waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
