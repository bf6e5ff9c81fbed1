// demosys pack: works on a resource archive through the engine's own reader.
//   pack ls ARCHIVE          every entry, its size and name, in stored order
//   pack cat ARCHIVE ENTRY   the entry's bytes on standard output
//   pack script ... / pack build ...   see PackScriptCommand.cpp
// Further subcommands join the table below.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Packman/Packman.h"
#include "tools/PackScriptCommand.h"
#include "tools/ToolCommand.h"

namespace {

using Args = std::vector<std::string>;

constexpr std::size_t ANY_COUNT = static_cast<std::size_t>(-1);

struct PackSubcommand {
  const char* name;
  std::size_t argumentCount;  // after the subcommand's name; ANY_COUNT: checked by the subcommand
  const char* usage;
  int (*run)(const Args& args);
};

// Opens the archive or prints why not. The caller shuts it down.
bool openArchive(const std::string& path) {
  if (packman_init(path.c_str()) == 0) return true;
  std::fprintf(stderr, "demosys pack: cannot read archive '%s' (missing, damaged or not 7z)\n", path.c_str());
  return false;
}

int listEntries(const Args& args) {
  if (!openArchive(args[0])) return 1;
  for (uint32_t i = 0; i < packman_getFileCount(); ++i) {
    std::printf("%12lld  %s\n", static_cast<long long>(packman_getFileSizeAt(i)), packman_getFileName(i));
  }
  packman_shutdown();
  return 0;
}

int catEntry(const Args& args) {
  if (!openArchive(args[0])) return 1;
  const std::string& name = args[1];
  const int64_t size = packman_getFileSize(name.c_str());
  std::vector<unsigned char> bytes(size > 0 ? static_cast<std::size_t>(size) : 0);
  int status = 0;
  if (size < 0) {
    std::fprintf(stderr, "demosys pack: no entry '%s' in '%s'\n", name.c_str(), args[0].c_str());
    status = 1;
  } else if (packman_getFile(name.c_str(), bytes.data()) != 0) {
    std::fprintf(stderr, "demosys pack: entry '%s' in '%s' is damaged\n", name.c_str(), args[0].c_str());
    status = 1;
  } else if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
    std::fprintf(stderr, "demosys pack: cannot write entry '%s'\n", name.c_str());
    status = 1;
  }
  packman_shutdown();
  return status;
}

const std::vector<PackSubcommand>& packSubcommands() {
  static const std::vector<PackSubcommand> subcommands = {
      {"ls", 1, "ls ARCHIVE", listEntries},
      {"cat", 2, "cat ARCHIVE ENTRY", catEntry},
      {"script", ANY_COUNT, "script [--archive] [--root DIR] [--out FILE] [SCRIPT]", runPackScript},
      {"build", ANY_COUNT, "build [--root DIR] [--out FILE]", runPackBuild},
  };
  return subcommands;
}

int usage() {
  std::fprintf(stderr, "usage:\n");
  for (const PackSubcommand& s : packSubcommands()) std::fprintf(stderr, "  demosys pack %s\n", s.usage);
  return 2;
}

}  // namespace

int runPackCommand(const std::vector<std::string>& args) {
  if (args.empty()) return usage();
  for (const PackSubcommand& s : packSubcommands()) {
    if (args[0] != s.name) continue;
    if (s.argumentCount != ANY_COUNT && args.size() - 1 != s.argumentCount) return usage();
    return s.run(Args(args.begin() + 1, args.end()));
  }
  std::fprintf(stderr, "demosys pack: unknown subcommand '%s'\n", args[0].c_str());
  return usage();
}
