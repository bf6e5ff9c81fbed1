// DemoScriptParser: loading the .def files, checking effect instances against
// them and resolving "group[key]" references into system blocks.
#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/EffectDefinition.h"
#include "demosys/script/EffectDefinitionParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/script/ScriptDefaults.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

namespace {

// The system blocks whose definitions are loaded besides those of the registered effects.
const char* const SYSTEM_DEFINITIONS[] = {"system", "screen", "sound"};

// The scalar types a .def may declare, with the words their error message uses.
struct ScalarType {
  const char* name;
  bool (*accepts)(std::string);
  const char* description;
};

const ScalarType SCALAR_TYPES[] = {
    {"float", StringUtils::isFloat, "a float"},
    {"int", StringUtils::isInt, "an int"},
    {"bool", StringUtils::isBool, "a bool"},
};

const ScalarType* findScalarType(const std::string& name) {
  for (const ScalarType& type : SCALAR_TYPES) {
    if (name == type.name) return &type;
  }
  return nullptr;
}

const DataEffectPool* templatePool() {
  if (QNVDemosys::data == nullptr) return nullptr;
  return dynamic_cast<const DataEffectPool*>(QNVDemosys::data->getData("effectTemplatePool"));
}

bool isListedOption(const std::string& values, const std::string& value) {
  StringTokenizer options(values, ",");
  while (options.hasMoreTokens()) {
    if (StringUtils::trim(options.getNext()) == value) return true;
  }
  return false;
}

std::string valueLine(const std::string& value) { return "Value :  '" + value + "'\n"; }

}  // namespace

bool DemoScriptParser::parseDefaults() {
  std::cout << "[Parsing .def files]" << std::endl;
  definitions = std::make_unique<ScriptDefaults>();
  const std::string directory = systemParameters->getGroup("paths")->getParameter("definition");
  if (debug) std::cout << "path = " << directory << std::endl;
  for (const std::string& name : definitionNames()) {
    if (!loadDefinition(directory, name)) return false;
  }
  return true;
}

std::vector<std::string> DemoScriptParser::definitionNames() const {
  std::vector<std::string> names;
  const DataEffectPool* pool = templatePool();
  for (int i = 0; pool != nullptr && i < pool->size(); ++i) {
    names.push_back(pool->getKey(i));
    if (debug) std::cout << "-> " << names.back() << std::endl;
  }
  names.insert(names.end(), std::begin(SYSTEM_DEFINITIONS), std::end(SYSTEM_DEFINITIONS));
  return names;
}

bool DemoScriptParser::loadDefinition(const std::string& directory, const std::string& name) {
  const std::string file = directory + name + ".def";
  if (debug) std::cout << "Loading definition : '" << file << std::endl;
  EffectDefinitionParser parser(file);
  EffectDefinition* definition = parser.parse();
  if (!parser.isValid() || definition == nullptr) {
    delete definition;
    return fail(parser.getErrorMessage());
  }
  definitions->addEffectDefinition(name, definition);
  return true;
}

bool DemoScriptParser::isTemplateRegistered(const std::string& className) const {
  const DataEffectPool* pool = templatePool();
  return pool != nullptr && pool->exist(className);
}

// Every entry, defaults included, in key order: a default the .def itself declares wrongly
// fails for every instance of its class.
bool DemoScriptParser::validateInstance(const std::string& instance, const std::string& className,
                                        ParameterGroup& group) {
  const EffectDefinition* definition = definitions->getEffectDefinition(className);
  for (int i = 0; i < group.size(); ++i) {
    if (!validateEntry(instance, className, *definition, group, group.getKey(i))) return false;
  }
  return true;
}

bool DemoScriptParser::validateEntry(const std::string& instance, const std::string& className,
                                     const EffectDefinition& definition, ParameterGroup& group,
                                     const std::string& key) {
  const std::string head = effectBlockHead(instance) + "Parameter :  '" + key + "'\n";
  const ParameterGroup* declaration = definition.getParameter(key);
  if (declaration == nullptr)
    return fail(head + "Error :  Not defined as a valid parameter for " + className + "\n");
  const std::string type = declaration->getParameter("type");
  if (type == "string") return validateString(head, *declaration, group, key);
  const std::string value = group.getParameter(key);
  const ScalarType* scalar = findScalarType(type);
  if (scalar == nullptr) {
    fail(head + valueLine(value) + "Param type : " + type + "\nError : Parameter type is not supported!");
    std::cout << errorMessage << std::endl;
    return false;
  }
  if (scalar->accepts(value)) return true;
  return fail(head + valueLine(value) + "Error :  value is not " + scalar->description + " as defined in " +
              className + ".def\n");
}

// A listed option (unless any text is allowed), then a "group[key]" reference resolved to key.
bool DemoScriptParser::validateString(const std::string& head, const ParameterGroup& declaration,
                                      ParameterGroup& group, const std::string& key) {
  const std::string value = group.getParameter(key);
  const std::string values = declaration.getParameter("values");
  if (values != "<string>" && !isListedOption(values, value)) {
    return fail(head + valueLine(value) +
                "Error :  value is not a valid option\nDefined options are : " + values + "\n");
  }
  const std::string resolved = reverseLookup(value);
  if (resolved.empty()) return fail(head + valueLine(value) + "Error : Reverse lookup failed\n");
  group.addParameter(key, resolved);
  return true;
}

std::string DemoScriptParser::reverseLookup(const std::string& value) const {
  const std::string::size_type open = value.find('[');
  const std::string::size_type close = value.find(']');
  if (open == std::string::npos || close == std::string::npos) return value;
  const std::string groupName = value.substr(0, open);
  // A "]" before the "[" encloses nothing, and no system block declares an empty key.
  const std::string key = close > open ? value.substr(open + 1, close - open - 1) : "";
  const ParameterGroup* block = systemParameters ? systemParameters->getGroup(groupName) : nullptr;
  return block != nullptr && block->exist(key) ? key : "";
}
