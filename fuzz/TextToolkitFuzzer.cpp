// Fuzzes the text toolkit the script parsers share: tokenizing arbitrary
// bytes at arbitrary delimiter sets, the trim and number/bool recognisers,
// the conversions, and a ParameterGroup built from the tokens.
// Input: byte 0 = delimiter count (mod 4) plus 8 if delimiters are returned,
// then that many delimiter bytes, then the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "demosys/script/ParameterGroup.h"
#include "qnvutils/QNVUtils.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void checkRecognisers(const std::string& token) {
  const std::string trimmed = StringUtils::trim(token);
  require(!trimmed.empty());  // blank pieces never become tokens
  require(StringUtils::trim(trimmed) == trimmed);
  const bool isInt = StringUtils::isInt(trimmed);
  const bool isFloat = StringUtils::isFloat(trimmed);
  require(!(isInt && isFloat));
  require(!(StringUtils::isBool(trimmed) && (isInt || isFloat)));
  if (isInt) QNVUtils::int2string(QNVUtils::string2Int(trimmed));
  if (isFloat) QNVUtils::float2string(QNVUtils::string2Float(trimmed));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t delimiterCount = data[0] % 4;
  const bool returnDelimiters = (data[0] & 8) != 0;
  if (size < 1 + delimiterCount) return 0;
  const std::string delimiters(reinterpret_cast<const char*>(data + 1), delimiterCount);
  const std::string text(reinterpret_cast<const char*>(data + 1 + delimiterCount), size - 1 - delimiterCount);

  StringTokenizer tokens(text, delimiters, returnDelimiters);
  ParameterGroup group("fuzz");
  int handedOut = 0;
  std::string key;
  while (tokens.hasMoreTokens()) {
    const std::string token = tokens.getNext();
    ++handedOut;
    if (!returnDelimiters || token.size() != 1 || delimiters.find(token[0]) == std::string::npos) {
      checkRecognisers(token);
    }
    if (handedOut % 2 == 1) key = StringUtils::trim(token);
    else group.addParameter(key, StringUtils::trim(token));
  }
  require(handedOut == tokens.countTokens());
  require(tokens.getNext().empty());

  const std::string printed = group.toString();
  require(group.size() == 0 ? printed == "ParameterGroup{ EMPTY }\n" : printed.size() >= 8);
  for (int i = 0; i < group.size(); ++i) require(group.getParameter(group.getKey(i)) == group.getValue(i));
  return 0;
}
