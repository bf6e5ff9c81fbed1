#include "qnvutils/DatatypeConversion.h"

#include <sstream>

template <typename T>
std::string DatatypeConversion::toText(T value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// The stream already stores 0 for missing numbers and the limits for out-of-range ones.
template <typename T>
T DatatypeConversion::fromText(const std::string& text) {
  std::istringstream in(text);
  T value{};
  in >> value;
  return value;
}

template std::string DatatypeConversion::toText<int>(int);
template std::string DatatypeConversion::toText<unsigned int>(unsigned int);
template std::string DatatypeConversion::toText<float>(float);
template int DatatypeConversion::fromText<int>(const std::string&);
template float DatatypeConversion::fromText<float>(const std::string&);
