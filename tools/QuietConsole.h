// While one lives, standard output goes nowhere: the engine's own progress lines (loading
// banners, disposal reports) would only interleave with a tool's report.
// Depends on: nothing.
#pragma once

#include <iostream>
#include <sstream>

class QuietConsole {
 public:
  QuietConsole() : console(std::cout.rdbuf(discarded.rdbuf())) {}
  ~QuietConsole() { std::cout.rdbuf(console); }
  QuietConsole(const QuietConsole&) = delete;
  QuietConsole& operator=(const QuietConsole&) = delete;

 private:
  std::ostringstream discarded;
  std::streambuf* console;
};
