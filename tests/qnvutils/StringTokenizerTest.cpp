#include "qnvutils/StringTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> allTokens(StringTokenizer t) {
  std::vector<std::string> out;
  while (t.hasMoreTokens()) out.push_back(t.getNext());
  return out;
}

}  // namespace

TEST(StringTokenizer, EmptyTextHasNoTokens) {
  StringTokenizer t("", ";");
  EXPECT_EQ(t.countTokens(), 0);
  EXPECT_FALSE(t.hasMoreTokens());
  EXPECT_EQ(t.getNext(), "");
}

TEST(StringTokenizer, ReturnedDelimitersAreTokens) {
  EXPECT_EQ(allTokens(StringTokenizer("{a}", "{}", true)), (std::vector<std::string>{"{", "a", "}"}));
  // Delimiters are returned even when they are white space.
  EXPECT_EQ(allTokens(StringTokenizer("a b", " ", true)), (std::vector<std::string>{"a", " ", "b"}));
}

TEST(StringTokenizer, BlankPiecesDropSpacesKept) {
  EXPECT_EQ(allTokens(StringTokenizer(" a ;  ; b ", ";")), (std::vector<std::string>{" a ", " b "}));
  EXPECT_EQ(allTokens(StringTokenizer("a,,b", ",")), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(allTokens(StringTokenizer("a = b", "=")), (std::vector<std::string>{"a ", " b"}));
}

TEST(StringTokenizer, DefaultDelimiterIsSingleSpace) {
  EXPECT_EQ(allTokens(StringTokenizer("x  y\tz")), (std::vector<std::string>{"x", "y\tz"}));
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

TEST(StringTokenizer, EveryCharacterOfTheSetDelimits) {
  EXPECT_EQ(allTokens(StringTokenizer("a[b=c]d", "[]=")), (std::vector<std::string>{"a", "b", "c", "d"}));
  // Leading, trailing and only-delimiter texts give no blank tokens.
  EXPECT_EQ(allTokens(StringTokenizer(";;a;;", ";")), (std::vector<std::string>{"a"}));
  EXPECT_EQ(StringTokenizer(";;;", ";").countTokens(), 0);
  EXPECT_EQ(StringTokenizer(" \t\r\n", ";").countTokens(), 0);
  // No delimiters at all: the whole text is one token, untrimmed.
  EXPECT_EQ(allTokens(StringTokenizer(" a b ", "")), (std::vector<std::string>{" a b "}));
}

TEST(StringTokenizer, ReturnedDelimitersSurroundDroppedBlanks) {
  EXPECT_EQ(allTokens(StringTokenizer("x { \n } y", "{}", true)),
            (std::vector<std::string>{"x ", "{", "}", " y"}));
  EXPECT_EQ(allTokens(StringTokenizer("}}", "{}", true)), (std::vector<std::string>{"}", "}"}));
}

TEST(StringTokenizer, BytesAreNotInterpreted) {
  const std::string text("a\0b\xff" "c", 5);
  EXPECT_EQ(allTokens(StringTokenizer(text, std::string("\0", 1))),
            (std::vector<std::string>{"a", "b\xff" "c"}));
  // A vertical tab is not white space, so a piece holding only one is a token.
  EXPECT_EQ(allTokens(StringTokenizer("a;\v;b", ";")), (std::vector<std::string>{"a", "\v", "b"}));
}

TEST(StringTokenizer, CountIgnoresPositionAndZeroSkipIsNoOp) {
  StringTokenizer t("a b c");
  t.getNext(0);
  EXPECT_EQ(t.getNext(), "a");
  EXPECT_EQ(t.countTokens(), 3);
  t.getNext(1);
  EXPECT_TRUE(t.hasMoreTokens());
  EXPECT_EQ(t.getNext(), "c");
  t.getNext(2147483647);  // no overflow once the end is reached
  EXPECT_FALSE(t.hasMoreTokens());
  EXPECT_EQ(t.countTokens(), 3);
}
