// The script's value checks and trimming: exactly lower-case booleans, digits with one optional
// leading minus, digits on both sides of one point; trimming only space, tab, CR and LF.
#include "qnvutils/StringUtils.h"

#include <gtest/gtest.h>

#include <string>

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
