// TokenCursor must hand out exactly the tokens StringTokenizer produces for the
// same text and delimiters, only one at a time.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "qnvutils/StringTokenizer.h"
#include "qnvutils/TokenCursor.h"

namespace {

std::vector<std::string> viaTokenizer(const std::string& text, const std::string& delimiters, bool returned) {
  StringTokenizer tokenizer(text, delimiters, returned);
  std::vector<std::string> tokens;
  while (tokenizer.hasMoreTokens()) tokens.push_back(tokenizer.getNext());
  return tokens;
}

std::vector<std::string> viaCursor(const std::string& text, const std::string& delimiters, bool returned) {
  TokenCursor cursor(text, delimiters, returned);
  std::vector<std::string> tokens;
  while (cursor.hasMoreTokens()) tokens.push_back(cursor.getNext());
  EXPECT_EQ(cursor.getNext(), "");
  EXPECT_FALSE(cursor.hasMoreTokens());
  return tokens;
}

}  // namespace

TEST(TokenCursor, SplitsLikeTheTokenizer) {
  const struct {
    const char* text;
    const char* delimiters;
    bool returned;
    std::vector<std::string> tokens;
  } cases[] = {
      {"", ";", false, {}},
      {"{a}", "{}", true, {"{", "a", "}"}},
      {" a ; \t ; b ", ";", false, {" a ", " b "}},
      {"a,,b", ",", false, {"a", "b"}},
      {"{QNVDS1}\r paths {\r\r}{ }", "{}", true, {"{", "QNVDS1", "}", "\r paths ", "{", "}", "{", "}"}},
      {"x = 1\n\n  \r\ny", "\n\r", false, {"x = 1", "y"}},
      {"a b", " ", true, {"a", " ", "b"}},
      {"\v", ";", false, {"\v"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(viaCursor(c.text, c.delimiters, c.returned), c.tokens) << c.text;
    EXPECT_EQ(viaTokenizer(c.text, c.delimiters, c.returned), c.tokens) << c.text;
  }
}

TEST(TokenCursor, AgreesWithTheTokenizerOnRandomText) {
  std::mt19937 random(7);
  const std::string alphabet = "ab {};=\n\r\t/";
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 40, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const std::string delimiters = alphabet.substr(random() % 4 + 2, random() % 3 + 1);
    const bool returned = random() % 2 == 0;
    ASSERT_EQ(viaCursor(text, delimiters, returned), viaTokenizer(text, delimiters, returned))
        << "text '" << text << "' delimiters '" << delimiters << "'";
  }
}
