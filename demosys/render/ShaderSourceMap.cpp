// ShaderSourceMap: reading line numbers out of compiler logs.
#include "demosys/render/ShaderSourceMap.h"

#include <algorithm>
#include <regex>
#include <sstream>

std::string ShaderSourceMap::describe(const std::string& log) const {
  // Drivers write a position as string:line followed by "(" or ":" (Mesa "0:12(5):", glslang
  // "ERROR: 0:12:") or as string(line) (NVIDIA "0(12) :"); the string number is always 0 here.
  static const std::regex position(R"(\b0(?::(\d+)[(:]|\((\d+)\)))");
  std::vector<std::size_t> seen;
  std::string mapped;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, position)) continue;
    const std::size_t number = std::stoul(match[1].matched ? match[1].str() : match[2].str());
    if (number == 0 || number > origins.size()) continue;
    if (std::find(seen.begin(), seen.end(), number) != seen.end()) continue;
    seen.push_back(number);
    const Origin& origin = origins[number - 1];
    mapped += "Line " + std::to_string(number) + " is " +
              (origin.line == 0 ? "a #define item of the shader entry for " + origin.file
                                : origin.file + " line " + std::to_string(origin.line)) +
              "\n";
  }
  return mapped;
}
