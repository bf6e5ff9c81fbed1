// Notices that files changed on disk by comparing their modification times and sizes with those
// seen last; a missing file counts as a state of its own, so deleting or creating one is a change.
// The player polls a few times a second; a poll reads no file, it only asks for its status.
// Depends on: the standard library (filesystem).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

class FileWatch {
 public:
  // Starts watching path from its present state.
  void watch(const std::string& path);
  void clear() { files.clear(); }
  bool empty() const { return files.empty(); }
  // True when any watched file changed since the last call (or since it was watched); the
  // change is then taken as seen.
  bool changed();

 private:
  struct State {
    std::filesystem::file_time_type modified{};
    std::uintmax_t size = 0;
    bool exists = false;
    bool operator!=(const State& other) const {
      return exists != other.exists || modified != other.modified || size != other.size;
    }
  };
  static State stateOf(const std::string& path);

  std::map<std::string, State> files;
};
