// Reads one effect definition file (".def"): the typed parameters an effect
// class or system block accepts and the methods it declares, as an
// EffectDefinition. The file holds blocks "parameters { ... }" and
// "methods { ... }"; malformed statements are kept as odd entries and only
// fail later, when a demo script is validated against them.
// Depends on: EffectDefinition, Parameters, ParameterGroup, QNVIO (file access),
// StringTokenizer, StringUtils.
#pragma once

#include <string>

class EffectDefinition;
class Parameters;

class EffectDefinitionParser {
 public:
  explicit EffectDefinitionParser(const std::string& fileName);

  // Reads and parses the file: a new definition owned by the caller, or null on failure.
  EffectDefinition* parse();
  // Parses definition text already in memory (the file name appears only in messages).
  EffectDefinition* parseText(const std::string& text);

  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

 private:
  bool loadFile(const std::string& name);
  EffectDefinition* fail(const std::string& message);
  static Parameters* parseParameters(const std::string& body);
  static Parameters* parseMethods(const std::string& body);
  static std::string argumentKey(int index);

  std::string fileName;
  std::string fileText;
  std::string errorMessage;
  bool valid = true;
};
