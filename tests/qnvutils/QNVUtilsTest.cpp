#include "qnvutils/QNVUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

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
