// Set-up of the demo script parser tests: .def files in a working directory, a template registry
// with the effect classes a test names, and one call that parses a script and keeps what it made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "tests/support/TempTree.h"

namespace script_test {

// The first lines of a checked script: the definitions live in "defs/" of the working directory.
const char* const PATHS = "{QNVDS1}\npaths { definition = defs/ }\n";

// What one parse left behind; the collections are owned here, as the resource loader owns them.
struct ParseResult {
  bool valid = false;
  std::string error;
  std::unique_ptr<Parameters> system;
  std::unique_ptr<Parameters> effects;

  ParameterGroup* systemGroup(const std::string& name) const {
    return system ? system->getGroup(name) : nullptr;
  }
  ParameterGroup* effect(const std::string& name) const {
    return effects ? effects->getGroup(name) : nullptr;
  }
};

inline ParseResult takeResult(DemoScriptParser& parser) {
  ParseResult result;
  result.valid = parser.isValid();
  result.error = parser.getErrorMessage();
  result.system.reset(parser.getParameterGroup("system_parameters"));
  result.effects.reset(parser.getParameterGroup("effect_parameters"));
  return result;
}

// Registers templates for `classes`, writes .def files into defs/ and makes the tree the
// working directory.
class ScriptParserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    writeDefinition("system", "parameters { rowrate [type=int] [default=20] [values=]; }");
    writeDefinition("screen", "parameters { width [type=int] [default=640] [values=]; }");
    writeDefinition("sound", "parameters { play [type=int] [default=0] [values=]; }");
    registerTemplates({"GlowEffect", "BlendEffect"});
    tree.enter();
  }
  void TearDown() override {
    QNVDemosys::data = nullptr;
    tree.leave();
  }

  void registerTemplates(const std::vector<std::string>& classes) {
    data = std::make_unique<Data>();
    auto* templates = new DataEffectPool();
    for (const std::string& name : classes) templates->addEffect(name, new Effect());
    data->addData("effectTemplatePool", templates);
    QNVDemosys::data = data.get();
  }

  void writeDefinition(const std::string& name, const std::string& text) {
    tree.write("defs/" + name + ".def", text);
  }

  ParseResult parse(const std::string& text, bool checkDefinitions = true) {
    DemoScriptParser parser("test.txt", text);
    parser.parseDefaults(checkDefinitions);
    parser.parse();
    return takeResult(parser);
  }
  // Parses with checking on, the "paths" block first.
  ParseResult parseChecked(const std::string& blocks) { return parse(PATHS + blocks); }

  TempTree tree;
  std::unique_ptr<Data> data;
};

}  // namespace script_test
