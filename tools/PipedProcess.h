// A program started with its standard input fed by us, its arguments passed as they are (no
// shell, so a file name with quotes or spaces in it reaches the program unchanged).
// Depends on: POSIX (posix_spawnp, pipe, waitpid).
#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>
#include <vector>

class PipedProcess {
 public:
  PipedProcess() = default;
  ~PipedProcess();
  PipedProcess(const PipedProcess&) = delete;
  PipedProcess& operator=(const PipedProcess&) = delete;

  // arguments[0] is the program, looked up on PATH. False when it cannot be started.
  bool start(const std::vector<std::string>& arguments);
  // The program's standard input; null before start() or after finish().
  std::FILE* input() const { return stream; }
  // Closes the input and waits for the program; true when it exited with status 0.
  bool finish();

 private:
  std::FILE* stream = nullptr;
  pid_t child = -1;
};
