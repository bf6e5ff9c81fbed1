#include "qnvutils/StringUtils.h"

#include <algorithm>

namespace {

const char* const kWhiteSpace = " \t\n\r";

std::string withoutLeadingMinus(const std::string& s) {
  return (!s.empty() && s[0] == '-') ? s.substr(1) : s;
}

bool onlyDigits(const std::string& s) {
  return s.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string StringUtils::trim(std::string s) {
  const std::string::size_type first = s.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) return "";
  const std::string::size_type last = s.find_last_not_of(kWhiteSpace);
  return s.substr(first, last - first + 1);
}

bool StringUtils::isBool(std::string s) { return s == "true" || s == "false"; }

bool StringUtils::isInt(std::string s) { return !s.empty() && onlyDigits(withoutLeadingMinus(s)); }

// Splitting at '.' must keep empty pieces, or 1..2 would pass as two numbers; and the pieces are
// plain digits, so a second sign (--1.5, 1.-5) is refused too.
bool StringUtils::isFloat(std::string s) {
  const std::string magnitude = withoutLeadingMinus(s);
  if (std::count(magnitude.begin(), magnitude.end(), '.') != 1) return false;
  const std::string::size_type point = magnitude.find('.');
  const std::string whole = magnitude.substr(0, point);
  const std::string fraction = magnitude.substr(point + 1);
  return !whole.empty() && !fraction.empty() && onlyDigits(whole) && onlyDigits(fraction);
}
