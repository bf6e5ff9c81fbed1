// Number/text conversions used across the engine: settings stay text until
// their point of use and are converted here. Callers that need to know whether
// a text is a number check it first with StringUtils::isInt / isFloat.
// Depends on: DatatypeConversion.
#pragma once

#include <string>

class QNVUtils {
 public:
  static std::string int2string(int value);
  static std::string uint2string(unsigned int value);
  // 6 significant digits, the shorter of fixed and scientific: 0.5, 1, 1.23457e+06.
  static std::string float2string(float value);
  // The leading number of text (leading white space skipped, the rest ignored); 0 when text
  // does not start with a number.
  static int string2Int(const std::string& text);
  static float string2Float(const std::string& text);
};
