#include "qnvutils/StringTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// How the tokenizer counts and skips; how it splits is tested beside TokenCursor.
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

