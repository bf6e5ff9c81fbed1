// One named block of key = value settings read from text. Values stay strings
// until their point of use; a missing key reads as "NULL". Keys are kept in
// byte-wise order, and the i-th entry always means the i-th key in that order.
#pragma once

#include <map>
#include <string>

class ParameterGroup {
 public:
  ParameterGroup();
  explicit ParameterGroup(const std::string& name);

  const std::string& getGroupName() const { return groupName; }
  void setGroupName(const std::string& name) { groupName = name; }

  int size() const { return static_cast<int>(entries.size()); }
  void addParameter(const std::string& key, const std::string& value);
  bool exist(const std::string& key) const;
  // The value, or "NULL" when the key is absent.
  std::string getParameter(const std::string& key) const;
  // Key / value of the i-th entry in key order; "" when i is out of range.
  std::string getKey(int i) const;
  std::string getValue(int i) const;

  std::string toString() const;

 private:
  std::map<std::string, std::string>::const_iterator entryAt(int i) const;

  std::string groupName;
  std::map<std::string, std::string> entries;
};
