// A named collection of ParameterGroups, one per block of a settings text.
// Owns its groups: a group stored here carries the name it is stored under,
// and is deleted when replaced or when the collection is destroyed.
// Depends on: ParameterGroup, OwnedPointerMap.
#pragma once

#include <string>

#include "demosys/script/OwnedPointerMap.h"

class ParameterGroup;

class Parameters {
 public:
  Parameters() = default;
  // Out of line: deleting the owned objects needs their complete type.
  ~Parameters();
  Parameters(const Parameters&) = delete;
  Parameters& operator=(const Parameters&) = delete;

  int size() const { return groups.size(); }
  // Renames the group to name and takes ownership of it. A different group held under name is
  // deleted, and the same group held under another name is moved; a null group is ignored.
  void addGroup(const std::string& name, ParameterGroup* group);
  // The group, or null when none is held under name.
  ParameterGroup* getGroup(const std::string& name) const { return groups.find(name); }
  bool exist(const std::string& name) const { return groups.contains(name); }
  // Name / group of the i-th entry in name order; "" / null when i is out of range.
  std::string getKey(int i) const;
  ParameterGroup* getValue(int i) const;

  // Every group's text in name order; "" when empty.
  std::string toString() const;

 private:
  OwnedPointerMap<ParameterGroup> groups;
};
