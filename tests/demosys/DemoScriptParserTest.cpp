// The demo script grammar and the texts of its failures.
#include <gtest/gtest.h>

#include <string>

#include "demosys/script/DemoScriptParser.h"
#include "tests/demosys/ScriptTestSupport.h"

using script_test::ParseResult;

namespace {

class DemoScriptGrammar : public script_test::ScriptParserTest {
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
  ParseResult r = script_test::takeResult(parser);
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
  ParseResult r = script_test::takeResult(parser);
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
