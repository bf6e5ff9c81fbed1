// The parsed effect definitions, keyed by effect class or system block name.
// Owns the definitions: a replaced or remaining one is deleted.
// Depends on: EffectDefinition, ParameterGroup, OwnedPointerMap.
#pragma once

#include <string>

#include "demosys/script/OwnedPointerMap.h"

class EffectDefinition;
class ParameterGroup;

class ScriptDefaults {
 public:
  ScriptDefaults() = default;
  // Out of line: deleting the owned objects needs their complete type.
  ~ScriptDefaults();
  ScriptDefaults(const ScriptDefaults&) = delete;
  ScriptDefaults& operator=(const ScriptDefaults&) = delete;

  // Takes ownership. A different definition held under name is deleted, and the same definition
  // held under another name is moved; a null definition is ignored.
  void addEffectDefinition(const std::string& name, EffectDefinition* definition);
  bool exists(const std::string& name) const { return definitions.contains(name); }
  // The definition, or null.
  EffectDefinition* getEffectDefinition(const std::string& name) const { return definitions.find(name); }
  // A new group (owned by the caller) with every parameter of the named definition at its
  // default, or null when no definition is held under name.
  ParameterGroup* getDefaults(const std::string& name) const;
  int size() const { return definitions.size(); }

  std::string toString() const;

 private:
  OwnedPointerMap<EffectDefinition> definitions;
};
