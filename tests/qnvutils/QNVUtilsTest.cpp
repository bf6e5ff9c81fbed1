// The text and number helpers the script and the resource loaders rely on; the script's two
// tokenizers split alike.
#include "qnvutils/QNVUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "qnvutils/CosInterpolate.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"
#include "qnvutils/TokenCursor.h"

TEST(QNVUtilsToText, IntegersInDecimal) {
  EXPECT_EQ(QNVUtils::int2string(0), "0");
  EXPECT_EQ(QNVUtils::int2string(-42), "-42");
  EXPECT_EQ(QNVUtils::int2string(INT_MIN), "-2147483648");
  EXPECT_EQ(QNVUtils::uint2string(0u), "0");
  EXPECT_EQ(QNVUtils::uint2string(UINT_MAX), "4294967295");
}

TEST(QNVUtilsToText, FloatsWithSixSignificantDigits) {
  EXPECT_EQ(QNVUtils::float2string(0.5f), "0.5");
  EXPECT_EQ(QNVUtils::float2string(1.0f), "1");
  EXPECT_EQ(QNVUtils::float2string(-2.25f), "-2.25");
  EXPECT_EQ(QNVUtils::float2string(1234567.0f), "1.23457e+06");
  EXPECT_EQ(QNVUtils::float2string(123456.0f), "123456");
  EXPECT_EQ(QNVUtils::float2string(0.0001f), "0.0001");
  EXPECT_EQ(QNVUtils::float2string(0.00001f), "1e-05");
  EXPECT_EQ(QNVUtils::float2string(1.0f / 3.0f), "0.333333");
}

TEST(QNVUtilsFromText, ReadsTheLeadingNumber) {
  EXPECT_EQ(QNVUtils::string2Int("640"), 640);
  EXPECT_EQ(QNVUtils::string2Int(" \t-17"), -17);
  EXPECT_EQ(QNVUtils::string2Int("12abc"), 12);
  EXPECT_EQ(QNVUtils::string2Int("-3.9"), -3);
  EXPECT_FLOAT_EQ(QNVUtils::string2Float("0.25"), 0.25f);
  EXPECT_FLOAT_EQ(QNVUtils::string2Float(" -1.5;"), -1.5f);
  EXPECT_FLOAT_EQ(QNVUtils::string2Float("1e3"), 1000.0f);
  EXPECT_FLOAT_EQ(QNVUtils::string2Float("7"), 7.0f);
}

TEST(QNVUtilsFromText, NoLeadingNumberGivesZero) {
  EXPECT_EQ(QNVUtils::string2Int(""), 0);
  EXPECT_EQ(QNVUtils::string2Int("abc"), 0);
  EXPECT_EQ(QNVUtils::string2Int("-"), 0);
  EXPECT_EQ(QNVUtils::string2Int("NULL"), 0);
  EXPECT_EQ(QNVUtils::string2Float(""), 0.0f);
  EXPECT_EQ(QNVUtils::string2Float("x1.5"), 0.0f);
  EXPECT_EQ(QNVUtils::string2Float("NULL"), 0.0f);
}

TEST(QNVUtilsFromText, TooLargeNumbersGiveTheTypesLimit) {
  EXPECT_EQ(QNVUtils::string2Int("99999999999"), INT_MAX);
  EXPECT_EQ(QNVUtils::string2Int("-99999999999"), INT_MIN);
  EXPECT_GT(QNVUtils::string2Float("1e99"), 3.0e38f);
}

// The script's value checks: exactly lower-case booleans, digits with one optional leading minus,
// digits on both sides of one point; trimming only space, tab, CR and LF.
TEST(StringUtils, ValueKindsAndTrim) {
  const struct {
    const char* text;
    bool isInt, isFloat, isBool;
  } cases[] = {
      {"0", true, false, false},      {"-12", true, false, false},     {"007", true, false, false},
      {"-", true, false, false},  // scripts accept a lone minus
      {"99999999999999999999", true, false, false},  // no range check
      {"", false, false, false},      {"+1", false, false, false},     {"1 ", false, false, false},
      {" 1", false, false, false},    {"--1", false, false, false},    {"1-", false, false, false},
      {"0x1", false, false, false},   {"\xd9\xa1", false, false, false},  // a non-ASCII digit
      {"1.5", false, true, false},    {"-0.25", false, true, false},   {"10.0", false, true, false},
      {"3.", false, false, false},    {".5", false, false, false},     {"1e5", false, false, false},
      {"1.2.3", false, false, false}, {"+1.5", false, false, false},   {"1.5 ", false, false, false},
      {".", false, false, false},     {"1..2", false, false, false},   {"--1.5", false, false, false},
      {"1.-5", false, false, false},  {"-1.-", false, false, false},   {"-.5", false, false, false},
      {"1. 5", false, false, false},  {"true", false, false, true},    {"false", false, false, true},
      {"True", false, false, false},  {"FALSE", false, false, false},  {" true", false, false, false},
      {"1", true, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StringUtils::isInt(c.text), c.isInt) << "'" << c.text << "'";
    EXPECT_EQ(StringUtils::isFloat(c.text), c.isFloat) << "'" << c.text << "'";
    EXPECT_EQ(StringUtils::isBool(c.text), c.isBool) << "'" << c.text << "'";
  }
  EXPECT_EQ(StringUtils::trim("\tx \r\n"), "x");
  EXPECT_EQ(StringUtils::trim("  a  b  "), "a  b");
  EXPECT_EQ(StringUtils::trim(" \vx\f "), "\vx\f");
  EXPECT_EQ(StringUtils::trim(std::string("\0x", 2)), std::string("\0x", 2));
}

// The flag's falloff (reset(), 64 steps) shows in the flag frames; the exact steps only here.
TEST(CosInterpolate, StepsAlongHalfACosine) {
  CosInterpolate falloff(0.0, 10.0, 4.0);
  EXPECT_DOUBLE_EQ(falloff.step(), 0.0);
  EXPECT_NEAR(falloff.step(), 1.4644660940672622, 1e-12);
  EXPECT_NEAR(falloff.step(), 5.0, 1e-12);
  EXPECT_NEAR(falloff.step(), 8.535533905932738, 1e-12);
  EXPECT_NEAR(falloff.step(), 10.0, 1e-12);
  EXPECT_NEAR(falloff.getWeight(), 1.0, 1e-12);
}

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
