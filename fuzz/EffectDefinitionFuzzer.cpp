// Fuzzes the effect definition (.def) parser on arbitrary text: it either
// reports the invalid-block error or returns a definition whose parameter,
// default and method views agree with each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "demosys/script/EffectDefinition.h"
#include "demosys/script/EffectDefinitionParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void checkDefinition(const EffectDefinition& definition) {
  std::unique_ptr<ParameterGroup> defaults(definition.getDefaults());
  const Parameters* parameters = definition.getParameters();
  require(defaults->size() == (parameters ? parameters->size() : 0));
  for (int i = 0; i < defaults->size(); ++i) {
    const std::string name = defaults->getKey(i);
    require(definition.hasParameter(name));
    require(defaults->getValue(i) == definition.getParameter(name)->getParameter("default"));
  }
  const Parameters* methods = definition.getMethods();
  for (int i = 0; methods != nullptr && i < methods->size(); ++i) {
    const ParameterGroup* arguments = methods->getValue(i);
    for (int a = 0; a < arguments->size(); ++a) require(arguments->getKey(a).size() >= 2);
  }
  require(definition.toString().rfind("EffectDefinition {\n", 0) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EffectDefinitionParser parser("fuzz.def");
  std::unique_ptr<EffectDefinition> definition(
      parser.parseText(std::string(reinterpret_cast<const char*>(data), size)));
  require(parser.isValid() == (definition != nullptr));
  if (definition) {
    checkDefinition(*definition);
  } else {
    require(parser.getErrorMessage().rfind("EffectDefinitionParser : Invalid block name!\n", 0) == 0);
  }
  return 0;
}
