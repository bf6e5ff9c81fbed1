// The declarations of one .def file: the typed parameters an effect (or a
// system block) accepts, each a ParameterGroup of attributes ("type",
// "default", "values"), and its declared methods, each a ParameterGroup of
// arguments under "00", "01", ... Owns both collections.
// Depends on: Parameters, ParameterGroup.
#pragma once

#include <string>

class ParameterGroup;
class Parameters;

class EffectDefinition {
 public:
  EffectDefinition() = default;
  ~EffectDefinition();
  EffectDefinition(const EffectDefinition&) = delete;
  EffectDefinition& operator=(const EffectDefinition&) = delete;

  const std::string& getName() const { return name; }
  void setName(const std::string& newName) { name = newName; }

  // A new group "parameters" (owned by the caller) mapping each declared parameter to its
  // "default" attribute, "NULL" where none was declared.
  ParameterGroup* getDefaults() const;

  bool hasParameter(const std::string& parameterName) const;
  // The attribute group of a declared parameter, or null.
  ParameterGroup* getParameter(const std::string& parameterName) const;
  bool hasMethod(const std::string& methodName) const;
  // The argument group of a declared method, or null.
  ParameterGroup* getMethod(const std::string& methodName) const;

  Parameters* getParameters() const { return parameters; }
  Parameters* getMethods() const { return methods; }
  // Take ownership; a previously held, different collection is deleted.
  void setParameters(Parameters* newParameters);
  void setMethods(Parameters* newMethods);
  bool hasParameters() const { return parameters != nullptr; }
  bool hasMethods() const { return methods != nullptr; }

  std::string toString() const;

 private:
  static void replaceOwned(Parameters*& held, Parameters* replacement);

  std::string name;
  Parameters* parameters = nullptr;
  Parameters* methods = nullptr;
};
