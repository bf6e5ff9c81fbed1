#include "demosys/script/DemoScriptParser.h"

#include <iostream>

#include "demosys/resources/QNVIO.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/script/ScriptDefaults.h"
#include "qnvutils/File.h"
#include "qnvutils/StringUtils.h"
#include "qnvutils/TokenCursor.h"

namespace {

const char* const SYSTEM_PARAMETERS = "system_parameters";
const char* const EFFECT_PARAMETERS = "effect_parameters";
const char* const STATEMENT_HINT = "Probable cause: Semocolon forgotten or misplaced";

bool isEffectBlock(const std::string& blockName) { return blockName.find('*') != std::string::npos; }

std::string statementHead(const std::string& blockName, const std::string& key) {
  return "Error while parsing demoscript!\nBlock : '" + blockName + "'\nError: Parameter '" + key + "'";
}

// The key is trimmed, so any blank inside it separates two words.
bool isSingleWord(const std::string& key) {
  return !key.empty() && key.find_first_of(" \n\t\r") == std::string::npos;
}

}  // namespace

const std::string DemoScriptParser::header = "{QNVDS1}";

DemoScriptParser::DemoScriptParser(const std::string& name) : fileName(name) {
  std::unique_ptr<File> file(QNVIO::loadTextFile(fileName));
  if (!file || !file->exists()) {
    fail("DemoScriptParser : '" + fileName + "' not found!");
    return;
  }
  load(file->getAsString());
}

DemoScriptParser::DemoScriptParser(const std::string& name, const std::string& text) : fileName(name) {
  load(text);
}

DemoScriptParser::~DemoScriptParser() = default;

// A NUL byte means the file is not a text: everything after it would otherwise reach the
// effects as names that C string APIs cut short.
void DemoScriptParser::load(const std::string& text) {
  const std::string::size_type nul = text.find('\0');
  if (nul != std::string::npos) {
    fail("DemoScriptParser : '" + fileName + "' contains a NUL byte at offset " + std::to_string(nul) + "!");
    return;
  }
  scriptText = stripComments(text);
}

void DemoScriptParser::parseDefaults(bool check) { checkDefinitions = check; }

std::string DemoScriptParser::effectBlockHead(const std::string& instance) {
  return "Error while parsing demoscript!\nBlock : '" + instance + "' (Effect Definition)\n";
}

bool DemoScriptParser::fail(const std::string& message) {
  valid = false;
  errorMessage = message;
  return false;
}

Parameters* DemoScriptParser::getParameterGroup(const std::string& name) const {
  auto found = parameterSets.find(name);
  return found == parameterSets.end() ? nullptr : found->second;
}

std::string DemoScriptParser::stripComments(const std::string& text) {
  TokenCursor lines(text, "\n\r");
  std::string stripped;
  while (lines.hasMoreTokens()) {
    std::string line = lines.getNext();
    const std::string::size_type comment = line.find("//");
    if (comment != std::string::npos) line.erase(comment);
    line = StringUtils::trim(line);
    if (line.empty()) continue;
    stripped += line;
    stripped += '\r';
  }
  return StringUtils::trim(stripped);
}

std::string DemoScriptParser::getEffectName(const std::string& blockName) {
  return StringUtils::trim(blockName.substr(0, blockName.find('*')));
}

std::string DemoScriptParser::getEffectClass(const std::string& blockName) {
  const std::string::size_type first = blockName.find('*');
  if (first == std::string::npos) return "";
  const std::string::size_type second = blockName.find('*', first + 1);
  const std::string::size_type length = second == std::string::npos ? std::string::npos : second - first - 1;
  return StringUtils::trim(blockName.substr(first + 1, length));
}

void DemoScriptParser::parse() {
  if (!valid || systemParameters != nullptr) return;
  systemParameters = new Parameters();
  effectParameters = new Parameters();
  parameterSets[SYSTEM_PARAMETERS] = systemParameters;
  parameterSets[EFFECT_PARAMETERS] = effectParameters;
  TokenCursor tokens(scriptText, "{}", true);
  if (!readHeader(tokens)) return;
  while (valid && tokens.hasMoreTokens()) parseBlock(tokens);
}

bool DemoScriptParser::readHeader(TokenCursor& tokens) {
  std::string found = tokens.getNext();
  found += tokens.getNext();
  found += tokens.getNext();
  if (found == header) return true;
  return fail("Error while parsing demoscript!\nInvalid Script Header\nHeader : '" + found + "'\n");
}

// name "{" content "}"; a block with nothing between its braces is skipped.
void DemoScriptParser::parseBlock(TokenCursor& tokens) {
  const std::string name = stripComments(tokens.getNext());
  const std::string bracketError =
      "Error parsing demoscript!\nBlock have mismatching brackets\nBlock : '" + name + "'\n";
  if (StringUtils::trim(tokens.getNext()) != "{") {
    fail(bracketError);
    return;
  }
  const std::string content = stripComments(tokens.getNext());
  if (content == "}") return;
  if (StringUtils::trim(tokens.getNext()) != "}") {
    fail(bracketError);
    return;
  }
  if (name == "timeline") {
    timelineText = content;
    return;
  }
  std::unique_ptr<ParameterGroup> group = startingGroup(name);
  if (!group || !readStatements(name, content, *group)) return;
  if (isEffectBlock(name)) {
    addEffectInstance(name, std::move(group));
  } else {
    addSystemBlock(name, std::move(group));
  }
}

// Effect instances start from their class's defaults, system blocks from theirs where a .def
// exists; "paths" and everything parsed without checking start empty.
std::unique_ptr<ParameterGroup> DemoScriptParser::startingGroup(const std::string& blockName) {
  if (blockName == "paths" || !checkDefinitions) return std::make_unique<ParameterGroup>();
  if (isEffectBlock(blockName)) {
    const std::string className = getEffectClass(blockName);
    if (definitions && definitions->exists(className)) {
      return std::unique_ptr<ParameterGroup>(definitions->getDefaults(className));
    }
    fail("Error parsing demoscript!\nDefaults for block '" + className +
         "' not found!\nPossible Cause :\n- There is no .def file for the block\n"
         "- Block name have a spelling error?\n- paths { } is not the first block in the demoscript?\n");
    return nullptr;
  }
  if (!definitions || !definitions->exists(blockName)) return std::make_unique<ParameterGroup>();
  std::unique_ptr<ParameterGroup> defaults(definitions->getDefaults(blockName));
  if (debug) std::cout << "block name : " << blockName << std::endl << defaults->toString() << std::endl;
  return defaults;
}

bool DemoScriptParser::readStatements(const std::string& blockName, const std::string& content,
                                      ParameterGroup& group) {
  TokenCursor statements(content, ";");
  while (statements.hasMoreTokens()) {
    const std::string statement = StringUtils::trim(statements.getNext());
    if (!readStatement(blockName, statement, group)) return false;
  }
  return true;
}

// key = value, the key one word; a later value of the same key replaces an earlier one or a default.
bool DemoScriptParser::readStatement(const std::string& blockName, const std::string& statement,
                                     ParameterGroup& group) {
  TokenCursor sides(statement, "=");
  const std::string key = StringUtils::trim(sides.getNext());
  const bool hasValue = sides.hasMoreTokens();
  const std::string value = StringUtils::trim(sides.getNext());
  const std::string head = statementHead(blockName, key);
  if (!isSingleWord(key)) return fail(head + " is not a single word.\n" + STATEMENT_HINT);
  if (sides.hasMoreTokens())
    return fail(head + " have too many tokens.\nValue : '" + value + "'\n" + STATEMENT_HINT);
  if (!hasValue) {
    return fail(head +
                " dont seem to have a value\nProbable cause: Semocolon misplaced or no assigned value ('" +
                key + " = ;')");
  }
  group.addParameter(key, value);
  return true;
}

void DemoScriptParser::addSystemBlock(const std::string& blockName, std::unique_ptr<ParameterGroup> group) {
  systemParameters->addGroup(blockName, group.release());
  if (blockName == "paths" && checkDefinitions && !definitions) parseDefaults();
}

void DemoScriptParser::addEffectInstance(const std::string& blockName,
                                         std::unique_ptr<ParameterGroup> group) {
  const std::string instance = getEffectName(blockName);
  const std::string className = getEffectClass(blockName);
  if (!isTemplateRegistered(className)) {
    fail(effectBlockHead(instance) + "Error : Effect template '" + className +
         "' do not exist!\nProbable cause : Spelling error or your effect template is not added to the "
         "Demosys.\n");
    return;
  }
  if (effectParameters->exist(instance)) {
    fail(effectBlockHead(instance) + "Error : Redefinition of scriptobject '" + instance +
         "'\nProbable cause : You have two or more effects with identical names\nEffect names must be "
         "unique!\n");
    return;
  }
  if (checkDefinitions && !validateInstance(instance, className, *group)) return;
  group->addParameter("class", className);
  effectParameters->addGroup(instance, group.release());
}
