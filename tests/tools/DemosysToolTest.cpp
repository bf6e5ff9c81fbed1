// Runs the built `demosys` tool as a user would and checks its output and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct Result {
  int status;
  std::string out;
};

Result runTool(const std::string& args) {
  std::string cmd = std::string(DEMOSYS_TOOL_PATH) + " " + args + " 2>&1";
  FILE* pipe = popen(cmd.c_str(), "r");
  Result r{-1, ""};
  if (!pipe) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
  int raw = pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

}  // namespace

TEST(DemosysTool, HelpListsSubcommands) {
  Result r = runTool("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("version"), std::string::npos);
}

TEST(DemosysTool, VersionPrintsTheProjectVersion) {
  Result r = runTool("version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("demosys ", 0), 0u);
}

TEST(DemosysTool, UnknownCommandFailsWithOneLine) {
  Result r = runTool("frobnicate");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("unknown command 'frobnicate'"), std::string::npos);
}
