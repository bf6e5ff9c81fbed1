#include "qnvutils/StringTokenizer.h"

#include <algorithm>

#include "qnvutils/StringUtils.h"

StringTokenizer::StringTokenizer(const std::string& text, const std::string& delims, bool returnDelims)
    : delimiters(delims.begin(), delims.end()),
      source(text),
      sourceLength(static_cast<unsigned int>(text.size())),
      returnDelimiters(returnDelims) {
  tokenize();
}

StringTokenizer::StringTokenizer(const std::string& text, const std::string& delims)
    : StringTokenizer(text, delims, false) {}

StringTokenizer::StringTokenizer(const std::string& text) : StringTokenizer(text, " ", false) {}

bool StringTokenizer::isDelimiter(char c) const {
  return std::find(delimiters.begin(), delimiters.end(), c) != delimiters.end();
}

void StringTokenizer::appendIfNotBlank(const std::string& token) {
  if (!StringUtils::trim(token).empty()) tokens.push_back(token);
}

void StringTokenizer::tokenize() {
  std::string current;
  for (char c : source) {
    if (!isDelimiter(c)) {
      current += c;
      continue;
    }
    appendIfNotBlank(current);
    if (returnDelimiters) tokens.push_back(std::string(1, c));
    current.clear();
  }
  appendIfNotBlank(current);
  tokenCount = static_cast<int>(tokens.size());
  position = 0;
  hasMore = tokenCount != 0;
}

std::string StringTokenizer::getNext() {
  if (!hasMore) return "";
  ++position;
  if (position >= tokenCount) hasMore = false;
  return tokens[position - 1];
}

void StringTokenizer::getNext(int n) {
  // A negative skip would walk the position backwards past the start.
  if (n <= 0 || position >= tokenCount) return;
  position = (n >= tokenCount - position) ? tokenCount : position + n;
  if (position >= tokenCount) hasMore = false;
}
