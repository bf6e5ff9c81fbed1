// `demosys check` run as a user would: the dump of a valid script, exit status 1 and the parser's
// exact text for each failing one.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "demosys/script/EffectDefinition.h"
#include "demosys/script/EffectDefinitionParser.h"
#include "demosys/script/ParameterGroup.h"
#include "production/TarnveldEffectList.h"
#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

namespace {

ToolRun runCheck(const std::string& args) { return ToolRun::of("check " + args); }

const char* const SCRIPT = "resources/scripts/demoscript.txt";

// A tree whose definitions are minimal: every registered class declares nothing, except
// BlendEffect (opacity, shader) and GlowEffect (a framebuffer reference).
class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    for (const std::string& name : TarnveldEffectList::names()) writeDefinition(name, "parameters { }");
    for (const char* block : {"system", "sound"}) writeDefinition(block, "parameters { }");
    writeDefinition("screen", "parameters { width [type=int] [default=640] [values=]; }");
    writeDefinition("BlendEffect",
                    "parameters {\n  opacity [type=float] [default=1.0] [values=];\n"
                    "  shader [type=string] [default=blend] [values=<string>];\n}\n");
    writeDefinition("GlowEffect",
                    "parameters { source_fbo [type=string] [default=main] [values=<string>]; }");
  }

  void writeDefinition(const std::string& name, const std::string& text) {
    tree.write("resources/definitions/" + name + ".def", text);
  }
  void writeScript(const std::string& blocks, const std::string& file = SCRIPT) {
    tree.write(file, "{QNVDS1}\npaths { definition = resources/definitions/ }\n" + blocks);
  }
  ToolRun check(const std::string& args = "") { return runCheck("--root '" + tree.path("") + "' " + args); }

  // What the tool prints for a failing script: the parser's lines, then its error text.
  static std::string failure(const std::string& error) { return "[Parsing .def files]\n" + error; }

  TempTree tree;
};

}  // namespace

TEST_F(CheckCommand, ValidScriptPrintsTheParameterDump) {
  writeScript(
      "framebuffers { main = width, height, COLOR_BUFFER }\nscreen { height = 480 }\n"
      "b * BlendEffect { opacity = 0.5 }\ng * GlowEffect { source_fbo = framebuffers[main] }\n");
  ToolRun r = ToolRun::of("check --root '" + tree.path("") + "'", false);  // warnings go to stderr
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "[Parsing .def files]\nOK\n"
            "system_parameters\n"
            "framebuffers {\n    main = width, height, COLOR_BUFFER;\n}\n"
            "paths {\n    definition = resources/definitions/;\n}\n"
            "screen {\n    height = 480;\n    width = 640;\n}\n"
            "effect_parameters\n"
            "b {\n    class = BlendEffect;\n    opacity = 0.5;\n    shader = blend;\n}\n"
            "g {\n    class = GlowEffect;\n    source_fbo = main;\n}\n");
}

// The parser's own tests hold every text; here one of each stage reaches the user unchanged, with
// exit status 1.
TEST_F(CheckCommand, FailingScriptsPrintTheParserErrorVerbatim) {
  const std::pair<const char*, std::string> cases[] = {
      {"b * BlendEffect { opacity = 2 }",
       failure("Error while parsing demoscript!\nBlock : 'b' (Effect Definition)\nParameter :  'opacity'\n"
               "Value :  '2'\nError :  value is not a float as defined in BlendEffect.def\n")},
      {"s { a = 1 } }", failure("Error parsing demoscript!\nBlock have mismatching brackets\nBlock : '}'\n")},
      {nullptr, "Error while parsing demoscript!\nInvalid Script Header\nHeader : '{QNVDS}'\n"},
      {"", failure("EffectDefinitionParser : 'resources/definitions/ZeppelinEffect.def' not found!\n")},
  };
  for (const auto& c : cases) {
    if (c.first) {
      writeScript(c.first);
    } else {
      tree.write(SCRIPT, "{QNVDS}\n");
    }
    // Every class the production registers needs its .def.
    if (c.first && !*c.first) std::filesystem::remove(tree.path("resources/definitions/ZeppelinEffect.def"));
    ToolRun r = check();
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(r.out, c.second);
  }
}

TEST_F(CheckCommand, ReadsFromTheArchive) {
  writeScript("b * BlendEffect { shader = glow }\n");
  ASSERT_TRUE(tree.archive("resources.7z", "", {"resources"}));
  std::filesystem::remove_all(tree.path("resources"));
  ToolRun archived = check("--archive");
  EXPECT_EQ(archived.status, 0) << archived.out;
  EXPECT_NE(archived.out.find("shader = glow;"), std::string::npos) << archived.out;
  EXPECT_EQ(check().status, 1) << "the directory tree is gone";
}

// The production's own .def files: all load, and every declared default passes its own check
// (a script restating one parameter per class starts every other one from its default).
TEST(CheckCommandProduction, EveryEffectClassChecksWithItsDefaults) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  const std::filesystem::path definitions =
      std::filesystem::path(DEMOSYS_SOURCE_DIR) / "resources/definitions";
  std::filesystem::create_directories(tree.path("resources"));
  std::filesystem::copy(definitions, tree.path("resources/definitions"));
  std::string script = "{QNVDS1}\npaths { definition = resources/definitions/ }\n";
  script += "system { rowrate = 20 }\nscreen { width = 1280 }\nsound { play = 0 }\n";
  int instances = 0;
  for (const std::string& name : TarnveldEffectList::names()) {
    EffectDefinitionParser parser((definitions / (name + ".def")).string());
    std::unique_ptr<EffectDefinition> definition(parser.parse());
    ASSERT_TRUE(parser.isValid()) << parser.getErrorMessage();
    std::unique_ptr<ParameterGroup> defaults(definition->getDefaults());
    if (defaults->size() == 0) continue;
    script += "fx" + std::to_string(instances++) + " * " + name + " { " + defaults->getKey(0) + " = " +
              defaults->getValue(0) + " }\n";
  }
  tree.write(SCRIPT, script);
  ToolRun r = runCheck("--root '" + tree.path("") + "'");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("fx" + std::to_string(instances - 1) + " {"), std::string::npos) << r.out;
}
