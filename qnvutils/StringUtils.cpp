#include "qnvutils/StringUtils.h"

#include "qnvutils/StringTokenizer.h"

namespace {

const char* const kWhiteSpace = " \t\n\r";

std::string withoutLeadingMinus(const std::string& s) {
  return (!s.empty() && s[0] == '-') ? s.substr(1) : s;
}

}  // namespace

std::string StringUtils::trim(std::string s) {
  const std::string::size_type first = s.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) return "";
  const std::string::size_type last = s.find_last_not_of(kWhiteSpace);
  return s.substr(first, last - first + 1);
}

bool StringUtils::isBool(std::string s) { return s == "true" || s == "false"; }

bool StringUtils::isInt(std::string s) {
  if (s.empty()) return false;
  for (char c : withoutLeadingMinus(s)) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool StringUtils::isFloat(std::string s) {
  if (s.empty()) return false;
  StringTokenizer pieces(withoutLeadingMinus(s), ".");
  if (pieces.countTokens() != 2) return false;
  const std::string whole = pieces.getNext();
  const std::string fraction = pieces.getNext();
  return isInt(whole) && isInt(fraction);
}
