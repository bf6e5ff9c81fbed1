// The demo script: its grammar, checking it against .def files, and the texts of their failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/EffectDefinition.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/script/ScriptDefaults.h"
#include "tests/support/TempTree.h"

namespace {

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

ParseResult takeResult(DemoScriptParser& parser) {
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

class DemoScriptGrammar : public ScriptParserTest {
 protected:
  ParseResult parseUnchecked(const std::string& text) { return parse(text, false); }
};

std::string bracketError(const std::string& block) {
  return "Error parsing demoscript!\nBlock have mismatching brackets\nBlock : '" + block + "'\n";
}
std::string headerError(const std::string& found) {
  return "Error while parsing demoscript!\nInvalid Script Header\nHeader : '" + found + "'\n";
}
const std::string statementHead = "Error while parsing demoscript!\nBlock : 'b'\nError: Parameter '";
const std::string noValue =
    statementHead +
    "a' dont seem to have a value\nProbable cause: Semocolon misplaced or no assigned value ('a = ;')";

class DemoScriptValidation : public ScriptParserTest {
 protected:
  void SetUp() override {
    ScriptParserTest::SetUp();
    writeDefinition("GlowEffect",
                    "parameters {\n"
                    "  source [type=string] [default=main] [values=<string>];\n"
                    "  mode [type=string] [default=add] [values=add, mul ,sub];\n"
                    "}\n");
    writeDefinition("BlendEffect",
                    "parameters {\n"
                    "  opacity [type=float] [default=1.0] [values=];\n"
                    "  passes [type=int] [default=2] [values=];\n"
                    "  additive [type=bool] [default=false] [values=];\n"
                    "}\n");
  }

  // The head every instance validation message starts with.
  static std::string head(const std::string& instance, const std::string& key) {
    return "Error while parsing demoscript!\nBlock : '" + instance + "' (Effect Definition)\nParameter :  '" +
           key + "'\n";
  }
};

}  // namespace

TEST_F(DemoScriptGrammar, BrokenScriptsFailWithTheirText) {
  const struct {
    std::string script, error;
  } cases[] = {
      {"{ QNVDS1 }\n", headerError("{ QNVDS1 }")},
      {"{QNVDS2}", headerError("{QNVDS2}")},
      {"", headerError("")},
      {"{}{}{}{}", headerError("{}{")},
      {"// {QNVDS1}\nsystem { a = 1 }", headerError("system { a = 1 ")},
      {"{QNVDS1} b { ok = 1; a b = 1 }",
       statementHead + "a b' is not a single word.\nProbable cause: Semocolon forgotten or misplaced"},
      {"{QNVDS1} b { a = 1 = 2 }",
       statementHead + "a' have too many tokens.\nValue : '1'\nProbable cause: Semocolon forgotten or misplaced"},
      {"{QNVDS1} b { a }", noValue},
      {"{QNVDS1} b { a = ; c = 1 }", noValue},
      // A forgotten semicolon joins two lines into one statement.
      {"{QNVDS1} b { x = 1\n y = 2 }",
       statementHead + "x' have too many tokens.\nValue : '1\ry'\nProbable cause: Semocolon forgotten or misplaced"},
      {"{QNVDS1} a { b { x = 1 } }", bracketError("a")},
      {"{QNVDS1} a { x = 1", bracketError("a")},
      {"{QNVDS1} a {", bracketError("a")},
      {"{QNVDS1} a", bracketError("a")},
      {"{QNVDS1} a { x = 1 } }", bracketError("}")},
      {"{QNVDS1} a x = 1 }", bracketError("a x = 1")},
      {"{QNVDS1}{}{}{}{{{}}}", bracketError("{")},
      {"{QNVDS1}" + std::string(1 << 16, '}'), bracketError("}")},
      {"{QNVDS1}" + std::string(1 << 16, '{'), bracketError("{")},
      {"{QNVDS1}\nx * GlowEfect { a = 1 }",
       "Error while parsing demoscript!\nBlock : 'x' (Effect Definition)\n"
       "Error : Effect template 'GlowEfect' do not exist!\n"
       "Probable cause : Spelling error or your effect template is not added to the Demosys.\n"},
      {"{QNVDS1}\ng * GlowEffect { a = 1 }\n g* BlendEffect { a = 1 }",
       "Error while parsing demoscript!\nBlock : 'g' (Effect Definition)\n"
       "Error : Redefinition of scriptobject 'g'\n"
       "Probable cause : You have two or more effects with identical names\nEffect names must be unique!\n"},
      {std::string("{QNVDS1}\nsystem { a = x") + '\0' + "y }",
       "DemoScriptParser : 'test.txt' contains a NUL byte at offset 23!"},
  };
  for (const auto& c : cases) {
    ParseResult r = parseUnchecked(c.script);
    EXPECT_FALSE(r.valid) << c.script.substr(0, 80);
    EXPECT_EQ(r.error, c.error) << c.script.substr(0, 80);
  }
  EXPECT_FALSE(parseUnchecked(std::string(1 << 16, '{')).valid);
}

TEST_F(DemoScriptGrammar, BlocksStatementsAndCommentsBecomeGroups) {
  const struct {
    std::string script, group, text;
  } cases[] = {
      {"{QNVDS1}\nscreen {\n  width = 640;\n  height = 480\n}\na { }\nb {}\n", "screen",
       "screen {\n    height = 480;\n    width = 640;\n}\n"},
      {"{QNVDS1}\nsound {\n  file =   my song.ogg  ;\n  play=1;;\n}", "sound",
       "sound {\n    file = my song.ogg;\n    play = 1;\n}\n"},
      {"{QNVDS1}\ns { a = 1; a = 2; b = 1 }\ns { c = 3 }\n", "s", "s {\n    c = 3;\n}\n"},
      {"{QNVDS1} // the header\n// whole line\nsystem { // opens\n  x = 1 // one\n  // y = 2;\n ; z = 3 }\n",
       "system", "system {\n    x = 1;\n    z = 3;\n}\n"},
  };
  for (const auto& c : cases) {
    ParseResult r = parseUnchecked(c.script);
    ASSERT_TRUE(r.valid) << r.error;
    EXPECT_EQ(r.system->size(), 1) << "empty blocks are skipped, repeated ones replaced";
    ASSERT_NE(r.systemGroup(c.group), nullptr) << c.script;
    EXPECT_EQ(r.systemGroup(c.group)->toString(), c.text);
  }
  ParseResult empty = parseUnchecked("{QNVDS1}\n");
  ASSERT_TRUE(empty.valid);
  EXPECT_EQ(empty.error, "Unknown error");
  EXPECT_EQ(empty.system->size() + empty.effects->size(), 0);
}

TEST_F(DemoScriptGrammar, TimelineIsKeptAsTextAndASecondParseChangesNothing) {
  DemoScriptParser parser("t.txt", "{QNVDS1}\ntimeline {\n  row 1 = fade; // note\n  row 2\n}\nsystem { a = 1 }");
  parser.parse();
  ParseResult r = takeResult(parser);
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(parser.getTimeline(), "row 1 = fade;\rrow 2");
  parser.parse();
  EXPECT_EQ(parser.getParameterGroup("system_parameters"), r.system.get());
  EXPECT_EQ(r.system->size(), 1);
}

TEST_F(DemoScriptGrammar, EffectInstancesAlwaysCarryTheirClass) {
  ParseResult r =
      parseUnchecked("{QNVDS1}\nglow * GlowEffect { strength = 2; class = Other }\nb*BlendEffect{x=1}");
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.system->size(), 0);
  ASSERT_NE(r.effect("glow"), nullptr);
  EXPECT_EQ(r.effect("glow")->getParameter("class"), "GlowEffect");
  EXPECT_EQ(r.effect("glow")->getParameter("strength"), "2");
  EXPECT_EQ(r.effect("b")->getParameter("class"), "BlendEffect");

  ParseResult skipped = parseUnchecked("{QNVDS1}\ng * GlowEffect { }\ng * BlendEffect { a = 1 }");
  ASSERT_TRUE(skipped.valid) << "the empty first block is skipped: " << skipped.error;
  EXPECT_EQ(skipped.effect("g")->getParameter("class"), "BlendEffect");

  QNVDemosys::data = nullptr;
  EXPECT_FALSE(parseUnchecked("{QNVDS1}\nx * GlowEffect { a = 1 }").valid) << "no registry, no templates";
}

TEST_F(DemoScriptGrammar, ScriptFilesAreReadThroughTheResourceLayer) {
  DemoScriptParser missing("resources/scripts/none.txt");
  EXPECT_FALSE(missing.isValid());
  EXPECT_EQ(missing.getErrorMessage(), "DemoScriptParser : 'resources/scripts/none.txt' not found!");
  missing.parse();
  EXPECT_EQ(missing.getParameterGroup("system_parameters"), nullptr) << "an invalid parser parses nothing";

  tree.write("resources/scripts/binary.txt", std::string("{QNVDS1}\nsystem { a = x") + '\0' + "y }");
  EXPECT_FALSE(DemoScriptParser("resources/scripts/binary.txt").isValid());

  tree.write("resources/scripts/demo.txt", "{QNVDS1}\r\nsystem {\r\n  rowrate = 25; // rows\r\n}\r\n");
  DemoScriptParser parser("resources/scripts/demo.txt");
  parser.parse();
  ParseResult r = takeResult(parser);
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.systemGroup("system")->getParameter("rowrate"), "25");
}

TEST_F(DemoScriptGrammar, LargeScriptsParseCompletely) {
  std::string text = "{QNVDS1}\n";
  int blocks = 0;
  for (; text.size() < 10 * 1024 * 1024; ++blocks) {
    const std::string n = std::to_string(blocks);
    text += "fx" + n + " * BlendEffect {\n  opacity = 0." + n + "; // c\n  shader = s" + n + "\n}\n";
  }
  ParseResult r = parseUnchecked(text);
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.effects->size(), blocks);
  EXPECT_EQ(r.effect("fx7")->getParameter("shader"), "s7");

  text.resize(text.size() - 2);
  EXPECT_EQ(parseUnchecked(text).error, bracketError("fx" + std::to_string(blocks - 1) + " * BlendEffect"));
}

TEST_F(DemoScriptValidation, DefinitionsLoadAfterPaths) {
  testing::internal::CaptureStdout();
  DemoScriptParser parser("test.txt", std::string(PATHS) + "screen { height = 480 }");
  parser.parseDefaults(true);
  parser.parse();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "[Parsing .def files]\n");
  ParseResult r = takeResult(parser);
  ASSERT_TRUE(r.valid) << r.error;
  ASSERT_NE(parser.getScriptDefaults(), nullptr);
  for (const char* name : {"BlendEffect", "GlowEffect", "screen", "sound", "system"}) {
    EXPECT_TRUE(parser.getScriptDefaults()->exists(name)) << name;
  }
  EXPECT_EQ(parser.getScriptDefaults()->size(), 5);
  EXPECT_EQ(r.systemGroup("screen")->toString(), "screen {\n    height = 480;\n    width = 640;\n}\n")
      << "a system block with a definition starts from its defaults";
  EXPECT_EQ(r.systemGroup("paths")->size(), 1) << "paths starts empty";
}

TEST_F(DemoScriptValidation, WithoutCheckingNoDefinitionIsRead) {
  ParseResult r =
      parse(std::string(PATHS) + "screen { height = 480 }\nb * BlendEffect { x = y }", false);
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.systemGroup("screen")->size(), 1);
  EXPECT_EQ(r.effect("b")->size(), 2);
}

TEST_F(DemoScriptValidation, MissingOrBrokenDefinitionsStopTheLoad) {
  std::remove(tree.path("defs/GlowEffect.def").c_str());
  EXPECT_EQ(parseChecked("").error, "EffectDefinitionParser : 'defs/GlowEffect.def' not found!");
  EXPECT_EQ(parse("{QNVDS1}\npaths { gfx = g/ }\n").error,
            "EffectDefinitionParser : 'NULLBlendEffect.def' not found!");
  writeDefinition("GlowEffect", "parameters { }");
  std::remove(tree.path("defs/sound.def").c_str());
  EXPECT_EQ(parseChecked("").error, "EffectDefinitionParser : 'defs/sound.def' not found!");
  writeDefinition("sound", "parameters { }");
  writeDefinition("BlendEffect", "parameter { opacity [type=float] [default=1.0] [values=]; }");
  EXPECT_EQ(parseChecked("").error,
            "EffectDefinitionParser : Invalid block name!\nFile : defs/BlendEffect.def'\n"
            "block name 'parameter' is not valid\nValid blocks : parameters, methods\n");
}

TEST_F(DemoScriptValidation, EffectWithoutDefinitionFails) {
  const std::string missing =
      "Error parsing demoscript!\nDefaults for block 'BlendEffect' not found!\n"
      "Possible Cause :\n- There is no .def file for the block\n"
      "- Block name have a spelling error?\n"
      "- paths { } is not the first block in the demoscript?\n";
  EXPECT_EQ(parse("{QNVDS1}\nb * BlendEffect { passes = 1 }\npaths { definition = defs/ }").error, missing);
  registerTemplates({"GlowEffect", "BlendEffect", "NewEffect"});
  EXPECT_FALSE(parseChecked("").valid) << "every registered class needs its .def";
}

TEST_F(DemoScriptValidation, ValuesAreCheckedAgainstTheirDefinitions) {
  const std::string notFloat = "Error :  value is not a float as defined in BlendEffect.def\n";
  const struct {
    std::string blocks, error;
  } cases[] = {
      {"b * BlendEffect { opacity = 2.0; passes = -3; additive = true }\ng * GlowEffect { mode = sub }", ""},
      {"s * screen { width = 1 }",
       "Error while parsing demoscript!\nBlock : 's' (Effect Definition)\n"
       "Error : Effect template 'screen' do not exist!\n"
       "Probable cause : Spelling error or your effect template is not added to the Demosys.\n"},
      {"b * BlendEffect { opacity = 0.5; opasity = 0.5 }",
       head("b", "opasity") + "Error :  Not defined as a valid parameter for BlendEffect\n"},
      {"b * BlendEffect { opacity = 2 }", head("b", "opacity") + "Value :  '2'\n" + notFloat},
      {"b * BlendEffect { passes = 1.5 }",
       head("b", "passes") + "Value :  '1.5'\nError :  value is not an int as defined in BlendEffect.def\n"},
      {"b * BlendEffect { additive = 1 }",
       head("b", "additive") + "Value :  '1'\nError :  value is not a bool as defined in BlendEffect.def\n"},
      {"g * GlowEffect { mode = div }",
       head("g", "mode") + "Value :  'div'\nError :  value is not a valid option\nDefined options are : add, mul ,sub\n"},
      {"g * GlowEffect { mode = ADD }",
       head("g", "mode") + "Value :  'ADD'\nError :  value is not a valid option\nDefined options are : add, mul ,sub\n"},
  };
  for (const auto& c : cases) {
    ParseResult r = parseChecked(c.blocks);
    EXPECT_EQ(r.valid, c.error.empty()) << c.blocks;
    if (!c.error.empty()) {
      EXPECT_EQ(r.error, c.error);
    }
  }
  ParseResult r = parseChecked("b * BlendEffect { passes = 7 }\ng * GlowEffect { mode = sub }");
  EXPECT_EQ(r.effect("b")->toString(),
            "b {\n    additive = false;\n    class = BlendEffect;\n    opacity = 1.0;\n    passes = 7;\n}\n")
      << "instances start from their defaults";
  EXPECT_EQ(r.effect("g")->getParameter("mode"), "sub");
}

TEST_F(DemoScriptValidation, InvalidDefaultFailsForEveryInstance) {
  writeDefinition("BlendEffect", "parameters { opacity [type=float] [values=]; }");
  const std::string expected =
      head("b", "opacity") + "Value :  'NULL'\nError :  value is not a float as defined in BlendEffect.def\n";
  EXPECT_EQ(parseChecked("b * BlendEffect { x = 1 }").error, expected)
      << "defaults are checked too, in key order";
  EXPECT_EQ(parseChecked("b * BlendEffect { opacity = NULL }").error, expected);
  writeDefinition("BlendEffect",
                  "parameters { opacity [type=float] [values=]; zoom [type=int] [default=1] [values=]; }");
  EXPECT_EQ(parseChecked("b * BlendEffect { zoom = 2 }").error, expected);
  EXPECT_TRUE(parseChecked("b * BlendEffect { opacity = 0.5 }").valid)
      << "a script value replaces the default";
}

TEST_F(DemoScriptValidation, UnsupportedTypeFailsAndIsPrinted) {
  writeDefinition("BlendEffect", "parameters { tint [type=colour] [default=red] [values=]; }");
  testing::internal::CaptureStdout();
  ParseResult r = parseChecked("b * BlendEffect { }\nb2 * BlendEffect { tint = blue }");
  const std::string out = testing::internal::GetCapturedStdout();
  const std::string expected = head("b2", "tint") + "Value :  'blue'\nParam type : colour\n" +
                               "Error : Parameter type is not supported!";
  EXPECT_EQ(r.error, expected);
  EXPECT_EQ(out, "[Parsing .def files]\n" + expected + "\n");
}

TEST_F(DemoScriptValidation, ReferencesResolveToKeysOfEarlierSystemBlocks) {
  ParseResult r = parseChecked(
      "framebuffers { main = width, height, COLOR_BUFFER; aux = 256, 256, COLOR_BUFFER }\n"
      "g * GlowEffect { source = framebuffers[aux] }\nh * GlowEffect { source = aux }");
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.effect("g")->getParameter("source"), "aux");
  EXPECT_EQ(r.effect("h")->getParameter("source"), "aux") << "a plain name stays as written";

  const std::string failed =
      head("g", "source") + "Value :  'framebuffers[aux]'\nError : Reverse lookup failed\n";
  EXPECT_EQ(
      parseChecked("g * GlowEffect { source = framebuffers[aux] }\nframebuffers { aux = 1, 1, COLOR_BUFFER }")
          .error,
      failed)
      << "the referenced block must come first";
  EXPECT_EQ(parseChecked("framebuffers { main = 1 }\ng * GlowEffect { source = framebuffers[aux] }").error,
            failed);
  // The first brackets name the key; text without a whole pair stays as written.
  DemoScriptParser parser("test.txt", std::string(PATHS) + "textures { logo = a.png }");
  parser.parseDefaults(true);
  parser.parse();
  ParseResult kept = takeResult(parser);
  const std::pair<const char*, const char*> lookups[] = {
      {"textures[logo]tail[x]", "logo"}, {"textures[logo", "textures[logo"}, {"textures [logo]", ""},
      {"textures[]", ""},                {"textures]logo[", ""},            {"paths[definition]", "definition"}};
  for (const auto& l : lookups) EXPECT_EQ(parser.reverseLookup(l.first), l.second) << l.first;
}
