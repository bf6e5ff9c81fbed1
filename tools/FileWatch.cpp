// FileWatch: change detection by modification time and size.
#include "tools/FileWatch.h"

FileWatch::State FileWatch::stateOf(const std::string& path) {
  std::error_code error;
  State state;
  state.modified = std::filesystem::last_write_time(path, error);
  if (error) return State{};
  state.size = std::filesystem::file_size(path, error);
  state.exists = !error;
  return state;
}

void FileWatch::watch(const std::string& path) { files[path] = stateOf(path); }

bool FileWatch::changed() {
  bool any = false;
  for (auto& entry : files) {
    State now = stateOf(entry.first);
    if (now != entry.second) {
      entry.second = now;
      any = true;
    }
  }
  return any;
}
