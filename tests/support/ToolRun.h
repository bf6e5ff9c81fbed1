// Test helper: runs the built `demosys` tool as a user would; its exit status and output.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct ToolRun {
  int status;
  std::string out;

  // Runs `demosys ARGS`; stderr is collected with stdout unless withErrors is false.
  static ToolRun of(const std::string& args, bool withErrors = true) {
    std::string cmd = std::string(DEMOSYS_TOOL_PATH) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    ToolRun r{-1, ""};
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
    int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
  }
};
