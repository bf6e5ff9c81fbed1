// Walks a text piece by piece with StringTokenizer's splitting rules (pieces
// that are blank after trimming are skipped, the others are handed out as
// written; optionally every delimiter is a token of its own) without building
// the token list first. Memory stays that of the text, and a reader that stops
// early pays only for what it read: the demo script parser uses it on input
// that may be megabytes of braces. The text must outlive the cursor.
// Depends on: nothing beyond the standard library.
#pragma once

#include <array>
#include <string>

class TokenCursor {
 public:
  TokenCursor(const std::string& text, const std::string& delimiters, bool returnDelimiters = false);
  // The cursor keeps a reference: a temporary text would be gone before the first token.
  TokenCursor(std::string&& text, const std::string& delimiters, bool returnDelimiters = false) = delete;

  bool hasMoreTokens();
  // The next token, or "" once all have been handed out.
  std::string getNext();

 private:
  void skipBlankPieces();
  void findPieceEnd();
  bool isBlankPiece() const;
  bool isDelimiter(char c) const { return delimiter[static_cast<unsigned char>(c)]; }

  const std::string& text;
  std::array<bool, 256> delimiter{};
  bool returnDelimiters;
  std::string::size_type position = 0;
  // End of the piece that starts at position, once skipBlankPieces has measured it.
  std::string::size_type pieceEnd = 0;
};
