// Walks a text piece by piece with StringTokenizer's splitting rules (pieces
// that are blank after trimming are skipped, the others are handed out as
// written; optionally every delimiter is a token of its own) without building
// the token list first. Memory stays that of the text, and a reader that stops
// early pays only for what it read: the demo script parser uses it on input
// that may be megabytes of braces. The text must outlive the cursor.
// Depends on: nothing beyond the standard library.
#pragma once

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
  bool isDelimiter(char c) const;
  std::string::size_type pieceEnd() const;
  bool isBlank(std::string::size_type from, std::string::size_type to) const;

  const std::string& text;
  std::string delimiters;
  bool returnDelimiters;
  std::string::size_type position = 0;
};
