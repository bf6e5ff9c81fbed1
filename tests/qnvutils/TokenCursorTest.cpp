// The script's two tokenizers split alike; TokenCursor hands the tokens out one at a time.
#include <gtest/gtest.h>

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
      {"a = b", "=", false, {"a ", " b"}},
      {"a[b=c]d", "[]=", false, {"a", "b", "c", "d"}},
      {";;a;;", ";", false, {"a"}},
      {" \t\r\n", ";", false, {}},
      {" a b ", "", false, {" a b "}},  // no delimiters: the whole text, untrimmed
      {"x { \n } y", "{}", true, {"x ", "{", "}", " y"}},
      {"}}", "{}", true, {"}", "}"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(viaCursor(c.text, c.delimiters, c.returned), c.tokens) << c.text;
    EXPECT_EQ(viaTokenizer(c.text, c.delimiters, c.returned), c.tokens) << c.text;
  }
}

// How the tokenizer counts and skips.
TEST(StringTokenizer, EmptyTextHasNoTokens) {
  StringTokenizer t("", ";");
  EXPECT_EQ(t.countTokens(), 0);
  EXPECT_FALSE(t.hasMoreTokens());
  EXPECT_EQ(t.getNext(), "");
}

TEST(StringTokenizer, GetNextPastEndKeepsReturningEmpty) {
  StringTokenizer t("a;b", ";");
  EXPECT_EQ(t.getNext(), "a");
  EXPECT_EQ(t.getNext(), "b");
  EXPECT_FALSE(t.hasMoreTokens());
  EXPECT_EQ(t.getNext(), "");
  EXPECT_EQ(t.getNext(), "");
  EXPECT_EQ(t.countTokens(), 2);
}

TEST(StringTokenizer, SkippingStaysInsideTheTokens) {
  StringTokenizer t("a;b;c", ";");
  t.getNext(1);
  EXPECT_EQ(t.getNext(), "b");
  t.getNext(100);
  EXPECT_FALSE(t.hasMoreTokens());
  EXPECT_EQ(t.getNext(), "");

  StringTokenizer u("a;b", ";");
  u.getNext(-5);  // ignored: never moves backwards before the start
  EXPECT_TRUE(u.hasMoreTokens());
  EXPECT_EQ(u.getNext(), "a");

  StringTokenizer w("a;b", ";");
  w.getNext(2);
  EXPECT_FALSE(w.hasMoreTokens());
}
