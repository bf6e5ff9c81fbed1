#include "qnvutils/TokenCursor.h"

namespace {

// The characters StringUtils::trim removes.
bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

TokenCursor::TokenCursor(const std::string& source, const std::string& delimiterSet,
                         bool returnDelimiterTokens)
    : text(source), delimiters(delimiterSet), returnDelimiters(returnDelimiterTokens) {}

bool TokenCursor::hasMoreTokens() {
  skipBlankPieces();
  return position < text.size();
}

std::string TokenCursor::getNext() {
  skipBlankPieces();
  if (position >= text.size()) return "";
  if (isDelimiter(text[position])) return std::string(1, text[position++]);
  const std::string::size_type end = pieceEnd();
  std::string piece = text.substr(position, end - position);
  position = end;
  return piece;
}

// Leaves the position on the next token: a returned delimiter or the start of a non-blank piece.
void TokenCursor::skipBlankPieces() {
  while (position < text.size()) {
    if (isDelimiter(text[position])) {
      if (returnDelimiters) return;
      ++position;
      continue;
    }
    const std::string::size_type end = pieceEnd();
    if (!isBlank(position, end)) return;
    position = end;
  }
}

bool TokenCursor::isDelimiter(char c) const { return delimiters.find(c) != std::string::npos; }

std::string::size_type TokenCursor::pieceEnd() const {
  const std::string::size_type end = text.find_first_of(delimiters, position);
  return end == std::string::npos ? text.size() : end;
}

// Looks only inside the piece: with white-space delimiters a wider scan would cross into the
// pieces after it and make long runs of blank lines quadratic.
bool TokenCursor::isBlank(std::string::size_type from, std::string::size_type to) const {
  for (std::string::size_type i = from; i < to; ++i) {
    if (!isWhiteSpace(text[i])) return false;
  }
  return true;
}
