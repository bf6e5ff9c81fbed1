// Character-set tokenizer shared by every text parser of the engine.
// Tokens are produced once at construction; pieces that are empty or
// white space only after trimming are dropped, the others keep their spaces.
// Depends on: StringUtils (trim).
#pragma once

#include <string>
#include <vector>

class StringTokenizer {
 public:
  StringTokenizer(const std::string& text, const std::string& delimiters, bool returnDelimiters);
  StringTokenizer(const std::string& text, const std::string& delimiters);
  explicit StringTokenizer(const std::string& text);

  bool hasMoreTokens() const { return hasMore; }
  // The next token, or "" (changing nothing) once all have been handed out.
  std::string getNext();
  // Skips n tokens. Negative n is ignored; skipping past the end just ends the sequence.
  void getNext(int n);
  int countTokens() const { return tokenCount; }

 private:
  void tokenize();
  void appendIfNotBlank(const std::string& token);
  bool isDelimiter(char c) const;

  int tokenCount = 0;
  int position = 0;
  std::vector<std::string> tokens;
  std::vector<char> delimiters;
  std::string source;
  unsigned int sourceLength = 0;
  bool hasMore = false;
  bool returnDelimiters = false;
};
