#include "qnvutils/QNVUtils.h"

#include "qnvutils/DatatypeConversion.h"

std::string QNVUtils::int2string(int value) { return DatatypeConversion::toText(value); }

std::string QNVUtils::uint2string(unsigned int value) { return DatatypeConversion::toText(value); }

std::string QNVUtils::float2string(float value) { return DatatypeConversion::toText(value); }

int QNVUtils::string2Int(const std::string& text) { return DatatypeConversion::fromText<int>(text); }

float QNVUtils::string2Float(const std::string& text) { return DatatypeConversion::fromText<float>(text); }
