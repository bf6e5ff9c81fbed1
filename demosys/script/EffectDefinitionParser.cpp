#include "demosys/script/EffectDefinitionParser.h"

#include <memory>

#include "demosys/resources/QNVIO.h"
#include "demosys/script/EffectDefinition.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "qnvutils/File.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

namespace {

// Every parameter statement carries exactly this many bracketed attributes (type, default, values).
const int ATTRIBUTE_COUNT = 3;

// One attribute written name=value; both sides kept exactly as written.
void addAttribute(ParameterGroup& group, const std::string& attribute) {
  StringTokenizer sides(attribute, "=");
  const std::string name = sides.getNext();
  group.addParameter(name, sides.getNext());
}

}  // namespace

EffectDefinitionParser::EffectDefinitionParser(const std::string& name) : fileName(name) {}

bool EffectDefinitionParser::loadFile(const std::string& name) {
  std::unique_ptr<File> file(QNVIO::loadTextFile(name));
  if (!file || !file->exists()) return false;
  fileText = file->getAsString();
  return true;
}

EffectDefinition* EffectDefinitionParser::parse() {
  if (!loadFile(fileName)) return fail("EffectDefinitionParser : '" + fileName + "' not found!");
  return parseText(fileText);
}

EffectDefinition* EffectDefinitionParser::parseText(const std::string& text) {
  auto definition = std::make_unique<EffectDefinition>();
  StringTokenizer blocks(text, "{}");
  while (blocks.hasMoreTokens()) {
    const std::string name = StringUtils::trim(blocks.getNext());
    const std::string body = StringUtils::trim(blocks.getNext());
    if (name == "parameters") {
      definition->setParameters(parseParameters(body));
    } else if (name == "methods") {
      definition->setMethods(parseMethods(body));
    } else {
      return fail("EffectDefinitionParser : Invalid block name!\nFile : " + fileName + "'\nblock name '" +
                  name + "' is not valid\nValid blocks : parameters, methods\n");
    }
  }
  return definition.release();
}

EffectDefinition* EffectDefinitionParser::fail(const std::string& message) {
  valid = false;
  errorMessage = message;
  return nullptr;
}

// Each statement: a name, then [type=...] [default=...] [values=...]. A missing attribute still
// adds its (empty) entry, so a short declaration stays visible when the script is validated.
Parameters* EffectDefinitionParser::parseParameters(const std::string& body) {
  auto* parameters = new Parameters();
  StringTokenizer statements(body, ";");
  while (statements.hasMoreTokens()) {
    StringTokenizer pieces(StringUtils::trim(statements.getNext()), "[]");
    auto* group = new ParameterGroup(StringUtils::trim(pieces.getNext()));
    for (int i = 0; i < ATTRIBUTE_COUNT; ++i) addAttribute(*group, StringUtils::trim(pieces.getNext()));
    parameters->addGroup(group->getGroupName(), group);
  }
  return parameters;
}

// Each statement: a name, then (argument, argument, ...); arguments are kept in order.
Parameters* EffectDefinitionParser::parseMethods(const std::string& body) {
  auto* methods = new Parameters();
  StringTokenizer statements(body, ";");
  while (statements.hasMoreTokens()) {
    StringTokenizer pieces(statements.getNext(), "()");
    auto* group = new ParameterGroup(StringUtils::trim(pieces.getNext()));
    StringTokenizer arguments(StringUtils::trim(pieces.getNext()), ",");
    for (int i = 0; arguments.hasMoreTokens(); ++i) {
      group->addParameter(argumentKey(i), StringUtils::trim(arguments.getNext()));
    }
    methods->addGroup(group->getGroupName(), group);
  }
  return methods;
}

// "00", "01", ... "09", "10", ...: two digits at least, so keys sort in argument order up to 99.
std::string EffectDefinitionParser::argumentKey(int index) {
  const std::string digits = std::to_string(index);
  return index < 10 ? "0" + digits : digits;
}
