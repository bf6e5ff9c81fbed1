#include "demosys/script/ParameterGroup.h"

#include <iterator>

ParameterGroup::ParameterGroup() : groupName("parameters") {}

ParameterGroup::ParameterGroup(const std::string& name) : groupName(name) {}

void ParameterGroup::addParameter(const std::string& key, const std::string& value) { entries[key] = value; }

bool ParameterGroup::exist(const std::string& key) const { return entries.count(key) != 0; }

std::string ParameterGroup::getParameter(const std::string& key) const {
  auto it = entries.find(key);
  return it == entries.end() ? "NULL" : it->second;
}

std::map<std::string, std::string>::const_iterator ParameterGroup::entryAt(int i) const {
  if (i < 0 || i >= size()) return entries.end();
  return std::next(entries.begin(), i);
}

std::string ParameterGroup::getKey(int i) const {
  auto it = entryAt(i);
  return it == entries.end() ? "" : it->first;
}

std::string ParameterGroup::getValue(int i) const {
  auto it = entryAt(i);
  return it == entries.end() ? "" : it->second;
}

std::string ParameterGroup::toString() const {
  if (entries.empty()) return "ParameterGroup{ EMPTY }\n";
  std::string text = groupName + " {\n";
  for (const auto& [key, value] : entries) text += "    " + key + " = " + value + ";\n";
  return text + "}\n";
}
