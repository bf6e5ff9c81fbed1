// Checking a demo script against its .def files, and the texts of these failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/EffectDefinition.h"
#include "demosys/script/ScriptDefaults.h"
#include "tests/demosys/ScriptTestSupport.h"

using script_test::ParseResult;

namespace {

class DemoScriptValidation : public script_test::ScriptParserTest {
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

TEST_F(DemoScriptValidation, DefinitionsLoadAfterPaths) {
  testing::internal::CaptureStdout();
  DemoScriptParser parser("test.txt", std::string(script_test::PATHS) + "screen { height = 480 }");
  parser.parseDefaults(true);
  parser.parse();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "[Parsing .def files]\n");
  ParseResult r = script_test::takeResult(parser);
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
      parse(std::string(script_test::PATHS) + "screen { height = 480 }\nb * BlendEffect { x = y }", false);
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
  DemoScriptParser parser("test.txt", std::string(script_test::PATHS) + "textures { logo = a.png }");
  parser.parseDefaults(true);
  parser.parse();
  ParseResult kept = script_test::takeResult(parser);
  const std::pair<const char*, const char*> lookups[] = {
      {"textures[logo]tail[x]", "logo"}, {"textures[logo", "textures[logo"}, {"textures [logo]", ""},
      {"textures[]", ""},                {"textures]logo[", ""},            {"paths[definition]", "definition"}};
  for (const auto& l : lookups) EXPECT_EQ(parser.reverseLookup(l.first), l.second) << l.first;
}
