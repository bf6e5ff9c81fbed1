// Test helper: a temporary tree of resource files, 7z archives of it, and a scoped working directory.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TempTree {
 public:
  TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "demosys-XXXXXX").string();
    root = mkdtemp(&pattern[0]) ? pattern : std::string();
  }
  ~TempTree() {
    if (entered) leave();
    std::error_code ignored;
    if (!root.empty()) std::filesystem::remove_all(root, ignored);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  bool ok() const { return !root.empty(); }
  std::string path(const std::string& relative) const { return root + "/" + relative; }

  void write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path target = path(relative);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary) << bytes;
  }

  std::string read(const std::string& relative) const {
    std::ifstream in(path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Runs `7za a OPTIONS archive members...` inside the tree; true when 7za succeeded.
  bool archive(const std::string& archiveName, const std::string& options,
               const std::vector<std::string>& members) const {
    std::string command = "cd '" + root + "' && 7za a -bd -y " + options + " '" + archiveName + "'";
    for (const std::string& m : members) command += " '" + m + "'";
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
  }

  // Makes the tree the working directory until leave() (or destruction).
  void enter() {
    previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
    entered = true;
  }
  void leave() {
    std::filesystem::current_path(previous);
    entered = false;
  }

 private:
  std::string root;
  std::filesystem::path previous;
  bool entered = false;
};
