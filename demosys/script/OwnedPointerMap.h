// A map from names (byte-wise order) to heap objects it owns: an object is
// deleted when it is replaced under its name or when the map is destroyed.
// Backs the record collections (Parameters, ScriptDefaults), whose entries
// are created by parsers and handed over as raw pointers.
#pragma once

#include <iterator>
#include <map>
#include <string>
#include <utility>

template <typename T>
class OwnedPointerMap {
 public:
  using Entry = std::pair<const std::string, T*>;

  OwnedPointerMap() = default;
  ~OwnedPointerMap() {
    for (auto& entry : entries) delete entry.second;
  }
  OwnedPointerMap(const OwnedPointerMap&) = delete;
  OwnedPointerMap& operator=(const OwnedPointerMap&) = delete;

  // Takes ownership of value under name. A different object held under name is deleted; the same
  // object held under another name is moved (owning it twice would delete it twice).
  void put(const std::string& name, T* value) {
    forgetOtherName(name, value);
    T*& slot = entries[name];
    if (slot != value) {
      owners.erase(slot);
      delete slot;
    }
    slot = value;
    if (value != nullptr) owners[value] = name;
  }

  T* find(const std::string& name) const {
    auto it = entries.find(name);
    return it == entries.end() ? nullptr : it->second;
  }
  bool contains(const std::string& name) const { return entries.count(name) != 0; }
  int size() const { return static_cast<int>(entries.size()); }

  // The i-th entry in name order, or null when i is out of range.
  const Entry* entryAt(int i) const {
    if (i < 0 || i >= size()) return nullptr;
    return &*std::next(entries.begin(), i);
  }

  auto begin() const { return entries.begin(); }
  auto end() const { return entries.end(); }

 private:
  void forgetOtherName(const std::string& name, const T* value) {
    auto owner = owners.find(value);
    if (owner == owners.end() || owner->second == name) return;
    entries.erase(owner->second);
    owners.erase(owner);
  }

  std::map<std::string, T*> entries;
  // Which name holds each object, so that moving one stays a lookup rather than a scan of all entries
  // (scripts with thousands of blocks add as many groups).
  std::map<const T*, std::string> owners;
};
