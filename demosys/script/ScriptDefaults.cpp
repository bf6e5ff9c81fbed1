#include "demosys/script/ScriptDefaults.h"

#include "demosys/script/EffectDefinition.h"
#include "demosys/script/ParameterGroup.h"

ScriptDefaults::~ScriptDefaults() = default;

void ScriptDefaults::addEffectDefinition(const std::string& name, EffectDefinition* definition) {
  if (definition != nullptr) definitions.put(name, definition);
}

ParameterGroup* ScriptDefaults::getDefaults(const std::string& name) const {
  const EffectDefinition* definition = definitions.find(name);
  return definition == nullptr ? nullptr : definition->getDefaults();
}

std::string ScriptDefaults::toString() const {
  std::string text = "ScriptDefaults {\n";
  for (const auto& [name, definition] : definitions) {
    text += "Definition : " + name + "\n" + definition->toString() + "\n";
  }
  return text + "}\n";
}
