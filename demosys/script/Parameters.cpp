#include "demosys/script/Parameters.h"

#include "demosys/script/ParameterGroup.h"

Parameters::~Parameters() = default;

void Parameters::addGroup(const std::string& name, ParameterGroup* group) {
  if (group == nullptr) return;
  group->setGroupName(name);
  groups.put(name, group);
}

std::string Parameters::getKey(int i) const {
  const auto* entry = groups.entryAt(i);
  return entry == nullptr ? "" : entry->first;
}

ParameterGroup* Parameters::getValue(int i) const {
  const auto* entry = groups.entryAt(i);
  return entry == nullptr ? nullptr : entry->second;
}

std::string Parameters::toString() const {
  std::string text;
  for (const auto& entry : groups) text += entry.second->toString();
  return text;
}
