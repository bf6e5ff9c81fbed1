// The one place numbers and text are converted, through the standard string
// streams (default formatting, default extraction). QNVUtils names the
// conversions the engine uses; this class holds how they are done.
// Defined for int, unsigned int and float.
#pragma once

#include <string>

class DatatypeConversion {
 public:
  // Default stream formatting: decimal integers; floats with 6 significant digits.
  template <typename T>
  static std::string toText(T value);
  // Stream extraction of a leading number after leading white space; text after it is ignored.
  // Text that does not start with a number gives 0; a number too large for the type gives the
  // type's nearest limit.
  template <typename T>
  static T fromText(const std::string& text);
};
