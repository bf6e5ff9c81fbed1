// Test helper: paths inside the build tree the tests run from. The tool is <build>/tools/demosys
// (DEMOSYS_TOOL_PATH), so everything else the build makes is found beside it.
#pragma once

#include <filesystem>
#include <string>

// <build>/relative, e.g. "production/tarnveld" or "tarnveld" (the assembled production).
inline std::string buildTreePath(const std::string& relative) {
  return (std::filesystem::path(DEMOSYS_TOOL_PATH).parent_path().parent_path() / relative).string();
}
