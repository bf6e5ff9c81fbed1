// Trimming and the strict recognisers the script parsers use to type values.
// Depends on: nothing beyond the standard library.
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
  // One optional leading '-', then digits, one '.', digits: 1.5, -0.25, 10.0; not 3, 3., .5, 1e5,
  // 1..2 or 1.-5.
  static bool isFloat(std::string s);
};
