#include "demosys/script/EffectDefinition.h"

#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

EffectDefinition::~EffectDefinition() {
  delete parameters;
  delete methods;
}

ParameterGroup* EffectDefinition::getDefaults() const {
  auto* defaults = new ParameterGroup();
  for (int i = 0; parameters != nullptr && i < parameters->size(); ++i) {
    defaults->addParameter(parameters->getKey(i), parameters->getValue(i)->getParameter("default"));
  }
  return defaults;
}

bool EffectDefinition::hasParameter(const std::string& parameterName) const {
  return parameters != nullptr && parameters->exist(parameterName);
}

ParameterGroup* EffectDefinition::getParameter(const std::string& parameterName) const {
  return parameters == nullptr ? nullptr : parameters->getGroup(parameterName);
}

bool EffectDefinition::hasMethod(const std::string& methodName) const {
  return methods != nullptr && methods->exist(methodName);
}

ParameterGroup* EffectDefinition::getMethod(const std::string& methodName) const {
  return methods == nullptr ? nullptr : methods->getGroup(methodName);
}

void EffectDefinition::setParameters(Parameters* newParameters) { replaceOwned(parameters, newParameters); }

void EffectDefinition::setMethods(Parameters* newMethods) { replaceOwned(methods, newMethods); }

void EffectDefinition::replaceOwned(Parameters*& held, Parameters* replacement) {
  if (held != replacement) delete held;
  held = replacement;
}

std::string EffectDefinition::toString() const {
  std::string text = "EffectDefinition {\n";
  text += "effect = " + name + "\n";
  text += parameters != nullptr ? parameters->toString() + "\n" : "No Parameters\n";
  text += methods != nullptr ? methods->toString() + "\n" : "No methods\n";
  return text + "}\n";
}
