#include "qnvutils/TokenCursor.h"

namespace {

// The characters StringUtils::trim removes.
bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

TokenCursor::TokenCursor(const std::string& source, const std::string& delimiters, bool returnDelimiterTokens)
    : text(source), returnDelimiters(returnDelimiterTokens) {
  for (char c : delimiters) delimiter[static_cast<unsigned char>(c)] = true;
}

bool TokenCursor::hasMoreTokens() {
  skipBlankPieces();
  return position < text.size();
}

std::string TokenCursor::getNext() {
  skipBlankPieces();
  if (position >= text.size()) return "";
  if (isDelimiter(text[position])) return std::string(1, text[position++]);
  std::string piece = text.substr(position, pieceEnd - position);
  position = pieceEnd;
  return piece;
}

// Leaves the position on the next token (a returned delimiter, or the start of a non-blank piece
// that ends at pieceEnd) or at the end of the text.
void TokenCursor::skipBlankPieces() {
  while (position < text.size()) {
    if (isDelimiter(text[position])) {
      if (returnDelimiters) return;
      ++position;
      continue;
    }
    if (pieceEnd <= position) findPieceEnd();
    if (!isBlankPiece()) return;
    position = pieceEnd;
  }
}

void TokenCursor::findPieceEnd() {
  pieceEnd = position;
  while (pieceEnd < text.size() && !isDelimiter(text[pieceEnd])) ++pieceEnd;
}

// Looks only inside the piece: with white-space delimiters a wider scan would cross into the
// pieces after it and make long runs of blank lines quadratic.
bool TokenCursor::isBlankPiece() const {
  for (std::string::size_type i = position; i < pieceEnd; ++i) {
    if (!isWhiteSpace(text[i])) return false;
  }
  return true;
}
