// The storage behind every data pool: names in byte-wise order mapped to objects the
// pool owns. Replacing an entry deletes the object it held (unless the same object is
// still stored under another name), and the destructor deletes every object once.
// Unlike the record collections' map, an entry can also be taken back without deletion
// (effect instances are removed from their pool by the code that then owns them).
// Depends on: nothing.
#pragma once

#include <iterator>
#include <map>
#include <set>
#include <string>

template <typename T>
class PoolMap {
 public:
  using Map = std::map<std::string, T*>;

  PoolMap() = default;
  ~PoolMap() {
    std::set<T*> deleted;
    for (auto& entry : entries) {
      if (deleted.insert(entry.second).second) delete entry.second;
    }
  }
  PoolMap(const PoolMap&) = delete;
  PoolMap& operator=(const PoolMap&) = delete;

  // Stores object under name. The object it replaces is deleted unless it is object
  // itself or is still held under another name.
  void add(const std::string& name, T* object) {
    T*& slot = entries[name];
    T* replaced = slot;
    slot = object;
    if (replaced != object && !holds(replaced)) delete replaced;
  }

  T* get(const std::string& name) const {
    auto found = entries.find(name);
    return found == entries.end() ? nullptr : found->second;
  }
  bool contains(const std::string& name) const { return entries.count(name) != 0; }
  int size() const { return static_cast<int>(entries.size()); }

  // The i-th entry in name order: its object (null) and its name ("") when out of range.
  T* at(int i) const { return inRange(i) ? std::next(entries.begin(), i)->second : nullptr; }
  std::string keyAt(int i) const { return inRange(i) ? std::next(entries.begin(), i)->first : std::string(); }

  // Removes the entry and hands its object to the caller.
  T* take(const std::string& name) {
    auto found = entries.find(name);
    if (found == entries.end()) return nullptr;
    T* object = found->second;
    entries.erase(found);
    return object;
  }

  const Map& map() const { return entries; }

 private:
  bool inRange(int i) const { return i >= 0 && i < size(); }
  bool holds(const T* object) const {
    for (const auto& entry : entries) {
      if (entry.second == object) return true;
    }
    return false;
  }

  Map entries;
};
