// Reads the demo script (header "{QNVDS1}", then "name { key = value; ... }"
// blocks, "//" comments) into two parameter collections: "system_parameters",
// one group per system block, and "effect_parameters", one group per effect
// instance block ("instance * Class { ... }"). With definition checking on, the
// .def files are loaded right after the "paths" block, every instance starts
// from its class's defaults, and each of its values is checked against the
// declared type and options; "group[key]" values name a key of an earlier
// system block. The first error ends the parse with one multi-line message.
// The two collections are created by parse() and belong to whoever takes them
// (the resource loader); the loaded definitions belong to the parser.
// Depends on: Parameters, ParameterGroup, ScriptDefaults, EffectDefinition(Parser),
// QNVIO (file access), QNVDemosys / Data / DataEffectPool (registered effect
// templates), TokenCursor, StringTokenizer, StringUtils.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

class EffectDefinition;
class ParameterGroup;
class Parameters;
class ScriptDefaults;
class TokenCursor;

class DemoScriptParser {
 public:
  static const std::string header;

  // Loads the script through the resource layer and strips its comments.
  explicit DemoScriptParser(const std::string& fileName);
  // A script already in memory; fileName only names it in messages.
  DemoScriptParser(const std::string& fileName, const std::string& text);
  ~DemoScriptParser();
  DemoScriptParser(const DemoScriptParser&) = delete;
  DemoScriptParser& operator=(const DemoScriptParser&) = delete;

  // Turns checking against the .def files on (the resource loader always does).
  void parseDefaults(bool checkDefinitions);
  void setDebug(bool on) { debug = on; }
  // Parses the whole script; does nothing when the parser is invalid or has parsed already (the
  // collections of the first parse may be owned elsewhere by then).
  void parse();

  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }
  // "system_parameters" or "effect_parameters" after parse(); null before or for other names.
  Parameters* getParameterGroup(const std::string& name) const;
  // The loaded definitions; null until the "paths" block was parsed with checking on.
  ScriptDefaults* getScriptDefaults() const { return definitions.get(); }
  // The raw content of the "timeline" block.
  const std::string& getTimeline() const { return timelineText; }

  // Drops "//" comments, blank lines and the blanks around lines; lines are joined with "\r".
  static std::string stripComments(const std::string& text);
  // "group[key]" becomes key when the system block group declares key, "" when it does not;
  // any other value is returned unchanged.
  std::string reverseLookup(const std::string& value) const;
  // The trimmed parts of "instance * Class": before the first "*" / between the first two.
  static std::string getEffectName(const std::string& blockName);
  static std::string getEffectClass(const std::string& blockName);

 private:
  void load(const std::string& text);
  bool fail(const std::string& message);
  static std::string effectBlockHead(const std::string& instance);

  bool readHeader(TokenCursor& tokens);
  void parseBlock(TokenCursor& tokens);
  std::unique_ptr<ParameterGroup> startingGroup(const std::string& blockName);
  bool readStatements(const std::string& blockName, const std::string& content, ParameterGroup& group);
  bool readStatement(const std::string& blockName, const std::string& statement, ParameterGroup& group);
  void addSystemBlock(const std::string& blockName, std::unique_ptr<ParameterGroup> group);
  void addEffectInstance(const std::string& blockName, std::unique_ptr<ParameterGroup> group);

  // The definition-loading step, run once right after the "paths" block.
  bool parseDefaults();
  std::vector<std::string> definitionNames() const;
  bool loadDefinition(const std::string& directory, const std::string& name);
  bool isTemplateRegistered(const std::string& className) const;

  bool validateInstance(const std::string& instance, const std::string& className, ParameterGroup& group);
  bool validateEntry(const std::string& instance, const std::string& className,
                     const EffectDefinition& definition, ParameterGroup& group, const std::string& key);
  bool validateString(const std::string& head, const ParameterGroup& declaration, ParameterGroup& group,
                      const std::string& key);

  std::string fileName;
  std::string timelineText;
  std::string scriptText;
  std::map<std::string, Parameters*> parameterSets;
  Parameters* systemParameters = nullptr;
  Parameters* effectParameters = nullptr;
  std::unique_ptr<ScriptDefaults> definitions;
  std::string errorMessage = "Unknown error";
  bool valid = true;
  bool checkDefinitions = false;
  bool debug = false;
};
