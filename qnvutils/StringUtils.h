// Trimming and the strict recognisers the script parsers use to type values.
// Depends on: StringTokenizer (for isFloat).
#pragma once

#include <string>

class StringUtils {
 public:
  // Strips leading/trailing space, tab, LF and CR; nothing else is white space.
  static std::string trim(std::string s);
  // Exactly "true" or "false".
  static bool isBool(std::string s);
  // Non-empty; after one optional leading '-', only digits 0-9 (a lone "-" passes).
  static bool isInt(std::string s);
  // Non-empty; after one optional leading '-', exactly two '.'-separated pieces, each isInt.
  static bool isFloat(std::string s);
};
