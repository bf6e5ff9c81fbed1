#include "qnvutils/StringUtils.h"

#include <gtest/gtest.h>

#include <string>

TEST(StringUtilsTrim, RemovesOnlySpaceTabLineFeedAndCarriageReturn) {
  EXPECT_EQ(StringUtils::trim("\tx \r\n"), "x");
  EXPECT_EQ(StringUtils::trim("  a  b  "), "a  b");
  EXPECT_EQ(StringUtils::trim("\vx\f"), "\vx\f");
  EXPECT_EQ(StringUtils::trim(" \vx "), "\vx");
  EXPECT_EQ(StringUtils::trim(std::string("\0x", 2)), std::string("\0x", 2));
}

TEST(StringUtilsTrim, BlankAndEmptyBecomeEmpty) {
  EXPECT_EQ(StringUtils::trim(""), "");
  EXPECT_EQ(StringUtils::trim(" \t\r\n \n"), "");
  EXPECT_EQ(StringUtils::trim("x"), "x");
}

TEST(StringUtilsIsBool, ExactlyLowerCaseTrueAndFalse) {
  EXPECT_TRUE(StringUtils::isBool("true"));
  EXPECT_TRUE(StringUtils::isBool("false"));
  EXPECT_FALSE(StringUtils::isBool("True"));
  EXPECT_FALSE(StringUtils::isBool("FALSE"));
  EXPECT_FALSE(StringUtils::isBool(" true"));
  EXPECT_FALSE(StringUtils::isBool("1"));
  EXPECT_FALSE(StringUtils::isBool(""));
}

TEST(StringUtilsIsInt, DigitsWithOneOptionalLeadingMinus) {
  EXPECT_TRUE(StringUtils::isInt("0"));
  EXPECT_TRUE(StringUtils::isInt("-12"));
  EXPECT_TRUE(StringUtils::isInt("007"));
  EXPECT_TRUE(StringUtils::isInt("-"));  // scripts accept a lone minus
  EXPECT_TRUE(StringUtils::isInt("99999999999999999999"));  // no range check
}

TEST(StringUtilsIsInt, RejectsEverythingElse) {
  EXPECT_FALSE(StringUtils::isInt(""));
  EXPECT_FALSE(StringUtils::isInt("+1"));
  EXPECT_FALSE(StringUtils::isInt("1 "));
  EXPECT_FALSE(StringUtils::isInt(" 1"));
  EXPECT_FALSE(StringUtils::isInt("--1"));
  EXPECT_FALSE(StringUtils::isInt("1-"));
  EXPECT_FALSE(StringUtils::isInt("1.0"));
  EXPECT_FALSE(StringUtils::isInt("0x1"));
  EXPECT_FALSE(StringUtils::isInt("\xd9\xa1"));  // a non-ASCII digit
}

TEST(StringUtilsIsFloat, DigitsOnBothSidesOfOnePoint) {
  EXPECT_TRUE(StringUtils::isFloat("1.5"));
  EXPECT_TRUE(StringUtils::isFloat("-0.25"));
  EXPECT_TRUE(StringUtils::isFloat("-3.0"));
  EXPECT_TRUE(StringUtils::isFloat("10.0"));
}

TEST(StringUtilsIsFloat, RejectsOtherNumberForms) {
  EXPECT_FALSE(StringUtils::isFloat(""));
  EXPECT_FALSE(StringUtils::isFloat("3"));
  EXPECT_FALSE(StringUtils::isFloat("3."));
  EXPECT_FALSE(StringUtils::isFloat(".5"));
  EXPECT_FALSE(StringUtils::isFloat("1e5"));
  EXPECT_FALSE(StringUtils::isFloat("1.2.3"));
  EXPECT_FALSE(StringUtils::isFloat("+1.5"));
  EXPECT_FALSE(StringUtils::isFloat("1.5 "));
  EXPECT_FALSE(StringUtils::isFloat("-"));
  EXPECT_FALSE(StringUtils::isFloat("."));
}

// Pieces around the point are plain digits: no empty piece and no second sign slips through.
TEST(StringUtilsIsFloat, RejectsExtraPointsAndSigns) {
  EXPECT_FALSE(StringUtils::isFloat("1..2"));
  EXPECT_FALSE(StringUtils::isFloat("--1.5"));
  EXPECT_FALSE(StringUtils::isFloat("1.-5"));
  EXPECT_FALSE(StringUtils::isFloat("-1.-"));
  EXPECT_FALSE(StringUtils::isFloat("-.5"));
  EXPECT_FALSE(StringUtils::isFloat("1. 5"));
}
