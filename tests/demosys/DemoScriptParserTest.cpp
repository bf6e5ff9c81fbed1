// The demo script grammar: header, blocks, statements, comments, effect
// instance names, and the texts of the grammar's failures.
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

}  // namespace

TEST_F(DemoScriptGrammar, HeaderAloneGivesEmptyCollections) {
  ParseResult r = parseUnchecked("{QNVDS1}\n");
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.error, "Unknown error");
  EXPECT_EQ(r.system->size(), 0);
  EXPECT_EQ(r.effects->size(), 0);
}

TEST_F(DemoScriptGrammar, HeaderMustBeExact) {
  EXPECT_EQ(parseUnchecked("{ QNVDS1 }\n").error, headerError("{ QNVDS1 }"));
  EXPECT_EQ(parseUnchecked("{QNVDS2}").error, headerError("{QNVDS2}"));
  EXPECT_EQ(parseUnchecked("").error, headerError(""));
  EXPECT_EQ(parseUnchecked("{}{}{}{}").error, headerError("{}{"));
  EXPECT_EQ(parseUnchecked("// {QNVDS1}\nsystem { a = 1 }").error, headerError("system { a = 1 "));
}

TEST_F(DemoScriptGrammar, BlocksBecomeGroupsAndEmptyBlocksAreSkipped) {
  ParseResult r = parseUnchecked("{QNVDS1}\nscreen {\n  width = 640;\n  height = 480\n}\na { }\nb {}\n");
  ASSERT_TRUE(r.valid) << r.error;
  ASSERT_NE(r.systemGroup("screen"), nullptr);
  EXPECT_EQ(r.systemGroup("screen")->getParameter("width"), "640");
  EXPECT_EQ(r.systemGroup("screen")->getParameter("height"), "480");
  EXPECT_EQ(r.system->size(), 1);
}

TEST_F(DemoScriptGrammar, ValuesAreTrimmedAndKeepInnerSpaces) {
  ParseResult r = parseUnchecked("{QNVDS1}\nsound {\n  file =   my song.ogg  ;\n  play=1;;\n}");
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.systemGroup("sound")->getParameter("file"), "my song.ogg");
  EXPECT_EQ(r.systemGroup("sound")->getParameter("play"), "1");
}

TEST_F(DemoScriptGrammar, RepeatedKeysAndBlocksKeepTheLastOne) {
  ParseResult r = parseUnchecked("{QNVDS1}\ns { a = 1; a = 2; b = 1 }\ns { c = 3 }\n");
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.systemGroup("s")->toString(), "s {\n    c = 3;\n}\n");
}

TEST_F(DemoScriptGrammar, CommentsRunToTheEndOfTheirLine) {
  ParseResult r = parseUnchecked(
      "{QNVDS1} // the header\n// whole line\nsystem { // opens\n  x = 1 // one\n  // y = 2;\n ; z = 3 }\n");
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.systemGroup("system")->toString(), "system {\n    x = 1;\n    z = 3;\n}\n");
}

TEST(DemoScriptComments, StripDropsCommentsAndBlankLinesAndJoinsWithCarriageReturns) {
  EXPECT_EQ(DemoScriptParser::stripComments("  a = 1 // c\r\n\n   \n// only\n\tb {\n"), "a = 1\rb {");
  EXPECT_EQ(DemoScriptParser::stripComments("x//y//z"), "x");
  EXPECT_EQ(DemoScriptParser::stripComments("// all\n//"), "");
  EXPECT_EQ(DemoScriptParser::stripComments("http://host"), "http:");
}

TEST_F(DemoScriptGrammar, StatementFailuresNameBlockAndKey) {
  const std::string head = "Error while parsing demoscript!\nBlock : 'b'\nError: Parameter '";
  EXPECT_EQ(parseUnchecked("{QNVDS1} b { ok = 1; a b = 1 }").error,
            head + "a b' is not a single word.\nProbable cause: Semocolon forgotten or misplaced");
  EXPECT_EQ(parseUnchecked("{QNVDS1} b { a = 1 = 2 }").error,
            head + "a' have too many tokens.\nValue : '1'\nProbable cause: Semocolon forgotten or misplaced");
  const std::string noValue =
      head +
      "a' dont seem to have a value\nProbable cause: Semocolon misplaced or no assigned value ('a = ;')";
  EXPECT_EQ(parseUnchecked("{QNVDS1} b { a }").error, noValue);
  EXPECT_EQ(parseUnchecked("{QNVDS1} b { a = ; c = 1 }").error, noValue);
  EXPECT_EQ(
      parseUnchecked("{QNVDS1} b { x = 1\n y = 2 }").error,
      head + "x' have too many tokens.\nValue : '1\ry'\nProbable cause: Semocolon forgotten or misplaced")
      << "a forgotten semicolon joins two lines into one statement";
}

TEST_F(DemoScriptGrammar, FailureKeepsWhatWasParsedBefore) {
  ParseResult r = parseUnchecked("{QNVDS1} a { x = 1 } b { y } c { z = 1 }");
  EXPECT_FALSE(r.valid);
  EXPECT_TRUE(r.system->exist("a"));
  EXPECT_FALSE(r.system->exist("b"));
  EXPECT_FALSE(r.system->exist("c"));
}

TEST_F(DemoScriptGrammar, UnbalancedBracesFailWithTheBlockName) {
  EXPECT_EQ(parseUnchecked("{QNVDS1} a { b { x = 1 } }").error, bracketError("a"));
  EXPECT_EQ(parseUnchecked("{QNVDS1} a { x = 1").error, bracketError("a"));
  EXPECT_EQ(parseUnchecked("{QNVDS1} a {").error, bracketError("a"));
  EXPECT_EQ(parseUnchecked("{QNVDS1} a").error, bracketError("a"));
  EXPECT_EQ(parseUnchecked("{QNVDS1} a { x = 1 } }").error, bracketError("}"));
  EXPECT_EQ(parseUnchecked("{QNVDS1} a x = 1 }").error, bracketError("a x = 1"));
  EXPECT_EQ(parseUnchecked("{QNVDS1}{}{}{}{{{}}}").error, bracketError("{"));
}

TEST_F(DemoScriptGrammar, TimelineIsKeptAsText) {
  DemoScriptParser parser("t.txt", "{QNVDS1}\ntimeline {\n  row 1 = fade; // note\n  row 2\n}\n");
  parser.parse();
  ParseResult r = script_test::takeResult(parser);
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(parser.getTimeline(), "row 1 = fade;\rrow 2");
  EXPECT_EQ(r.system->size(), 0);
}

TEST_F(DemoScriptGrammar, ASecondParseChangesNothing) {
  DemoScriptParser parser("t.txt", "{QNVDS1}\nsystem { a = 1 }");
  parser.parse();
  ParseResult r = script_test::takeResult(parser);
  parser.parse();
  EXPECT_EQ(parser.getParameterGroup("system_parameters"), r.system.get());
  EXPECT_EQ(r.system->size(), 1);
}

TEST_F(DemoScriptGrammar, EffectBlockNamesSplitAtTheStars) {
  EXPECT_EQ(DemoScriptParser::getEffectName(" my glow * GlowEffect "), "my glow");
  EXPECT_EQ(DemoScriptParser::getEffectClass(" my glow * GlowEffect "), "GlowEffect");
  EXPECT_EQ(DemoScriptParser::getEffectClass("a*B*c"), "B");
  EXPECT_EQ(DemoScriptParser::getEffectName("*B"), "");
  EXPECT_EQ(DemoScriptParser::getEffectClass("plain"), "");
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
}

TEST_F(DemoScriptGrammar, UnregisteredClassFails) {
  EXPECT_EQ(parseUnchecked("{QNVDS1}\nx * GlowEfect { a = 1 }").error,
            "Error while parsing demoscript!\nBlock : 'x' (Effect Definition)\n"
            "Error : Effect template 'GlowEfect' do not exist!\n"
            "Probable cause : Spelling error or your effect template is not added to the Demosys.\n");
  QNVDemosys::data = nullptr;
  EXPECT_FALSE(parseUnchecked("{QNVDS1}\nx * GlowEffect { a = 1 }").valid) << "no registry, no templates";
}

TEST_F(DemoScriptGrammar, InstanceNamesMustBeUnique) {
  ParseResult skipped = parseUnchecked("{QNVDS1}\ng * GlowEffect { }\ng * BlendEffect { a = 1 }");
  ASSERT_TRUE(skipped.valid) << "the empty first block is skipped: " << skipped.error;
  EXPECT_EQ(skipped.effect("g")->getParameter("class"), "BlendEffect");

  EXPECT_EQ(
      parseUnchecked("{QNVDS1}\ng * GlowEffect { a = 1 }\n g* BlendEffect { a = 1 }").error,
      "Error while parsing demoscript!\nBlock : 'g' (Effect Definition)\n"
      "Error : Redefinition of scriptobject 'g'\n"
      "Probable cause : You have two or more effects with identical names\nEffect names must be unique!\n");
}

TEST_F(DemoScriptGrammar, MissingScriptFileIsReported) {
  DemoScriptParser parser("resources/scripts/none.txt");
  EXPECT_FALSE(parser.isValid());
  EXPECT_EQ(parser.getErrorMessage(), "DemoScriptParser : 'resources/scripts/none.txt' not found!");
  parser.parse();
  EXPECT_EQ(parser.getParameterGroup("system_parameters"), nullptr) << "an invalid parser parses nothing";
}

TEST_F(DemoScriptGrammar, ScriptIsReadThroughTheResourceLayer) {
  tree.write("resources/scripts/demo.txt", "{QNVDS1}\r\nsystem {\r\n  rowrate = 25; // rows\r\n}\r\n");
  DemoScriptParser parser("resources/scripts/demo.txt");
  parser.parse();
  ParseResult r = script_test::takeResult(parser);
  ASSERT_TRUE(r.valid) << r.error;
  EXPECT_EQ(r.systemGroup("system")->getParameter("rowrate"), "25");
}

TEST_F(DemoScriptGrammar, NulByteIsRejected) {
  const std::string text = std::string("{QNVDS1}\nsystem { a = x") + '\0' + "y }";
  ParseResult r = parseUnchecked(text);
  EXPECT_FALSE(r.valid);
  EXPECT_EQ(r.error, "DemoScriptParser : 'test.txt' contains a NUL byte at offset 23!");
  tree.write("resources/scripts/binary.txt", text);
  DemoScriptParser fromFile("resources/scripts/binary.txt");
  EXPECT_FALSE(fromFile.isValid());
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

TEST_F(DemoScriptGrammar, OnlyBracesFail) {
  EXPECT_FALSE(parseUnchecked(std::string(1 << 16, '{')).valid);
  EXPECT_EQ(parseUnchecked("{QNVDS1}" + std::string(1 << 16, '}')).error, bracketError("}"));
  EXPECT_EQ(parseUnchecked("{QNVDS1}" + std::string(1 << 16, '{')).error, bracketError("{"));
}
