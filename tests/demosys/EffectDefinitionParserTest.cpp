// Reading .def files: parameter declarations with their attributes, method
// argument lists, malformed declarations kept as odd entries, and the two
// failures (missing file, unknown block name).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "demosys/script/EffectDefinition.h"
#include "demosys/script/EffectDefinitionParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "tests/support/TempTree.h"

namespace {

struct Parsed {
  std::unique_ptr<EffectDefinition> definition;
  bool valid;
  std::string error;
};

Parsed parseText(const std::string& text) {
  EffectDefinitionParser parser("test.def");
  std::unique_ptr<EffectDefinition> definition(parser.parseText(text));
  return {std::move(definition), parser.isValid(), parser.getErrorMessage()};
}

std::string defaultsText(const EffectDefinition& definition) {
  std::unique_ptr<ParameterGroup> defaults(definition.getDefaults());
  return defaults->toString();
}

}  // namespace

TEST(EffectDefinitionParser, EmptyParametersBlockDeclaresNothing) {
  for (const char* text : {"parameters { }", "parameters {}", "parameters\n{\n}\n", "parameters"}) {
    Parsed p = parseText(text);
    ASSERT_TRUE(p.valid) << text;
    EXPECT_TRUE(p.definition->hasParameters()) << text;
    EXPECT_EQ(p.definition->getParameters()->size(), 0) << text;
    EXPECT_EQ(defaultsText(*p.definition), "ParameterGroup{ EMPTY }\n") << text;
    EXPECT_FALSE(p.definition->hasMethods()) << text;
  }
  Parsed empty = parseText("");
  ASSERT_TRUE(empty.valid);
  EXPECT_FALSE(empty.definition->hasParameters());
}

TEST(EffectDefinitionParser, ParametersCarryTypeDefaultAndValues) {
  Parsed p = parseText(
      "parameters {\n  a [type=int] [default=3] [values=];\n  b [type=string] [default=x] "
      "[values=x,y];\n}\n");
  ASSERT_TRUE(p.valid) << p.error;
  EXPECT_EQ(defaultsText(*p.definition), "parameters {\n    a = 3;\n    b = x;\n}\n");
  const ParameterGroup* b = p.definition->getParameter("b");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->getParameter("type"), "string");
  EXPECT_EQ(b->getParameter("values"), "x,y");
  EXPECT_EQ(p.definition->getParameter("a")->getParameter("values"), "");
  EXPECT_EQ(p.definition->getParameter("a")->getGroupName(), "a");
  EXPECT_EQ(p.definition->getName(), "") << "definitions are known by the name they are stored under";
}

TEST(EffectDefinitionParser, AttributesAreKeptExactlyAsWritten) {
  Parsed p = parseText("parameters { a [type = int] [default=1=2] [values=<string>] [extra=1]; }");
  ASSERT_TRUE(p.valid) << p.error;
  const ParameterGroup* a = p.definition->getParameter("a");
  EXPECT_EQ(a->getParameter("type"), "NULL") << "blanks around = become part of the attribute name";
  EXPECT_EQ(a->getParameter("type "), " int");
  EXPECT_EQ(a->getParameter("default"), "1");
  EXPECT_EQ(a->getParameter("values"), "<string>");
  EXPECT_FALSE(a->exist("extra")) << "only three attributes are read";
}

TEST(EffectDefinitionParser, ShortDeclarationsKeepAnEmptyEntry) {
  Parsed p = parseText("parameters { a [type=float] [default=1.0]; b; }");
  ASSERT_TRUE(p.valid) << p.error;
  const ParameterGroup* a = p.definition->getParameter("a");
  EXPECT_EQ(a->toString(), "a {\n     = ;\n    default = 1.0;\n    type = float;\n}\n");
  EXPECT_EQ(a->getParameter("values"), "NULL");
  EXPECT_EQ(defaultsText(*p.definition), "parameters {\n    a = 1.0;\n    b = NULL;\n}\n");
}

TEST(EffectDefinitionParser, MethodsKeepTheirArgumentsInOrder) {
  Parsed p = parseText("methods {\n  m( 1, two , 3 );\n  many(a,b,c,d,e,f,g,h,i,j,k);\n  none();\n}");
  ASSERT_TRUE(p.valid) << p.error;
  ASSERT_TRUE(p.definition->hasMethod("m"));
  EXPECT_EQ(p.definition->getMethod("m")->toString(), "m {\n    00 = 1;\n    01 = two;\n    02 = 3;\n}\n");
  const ParameterGroup* many = p.definition->getMethod("many");
  ASSERT_EQ(many->size(), 11);
  EXPECT_EQ(many->getParameter("09"), "j");
  EXPECT_EQ(many->getParameter("10"), "k");
  EXPECT_EQ(many->getKey(10), "10") << "keys sort in argument order";
  EXPECT_EQ(p.definition->getMethod("none")->size(), 0);
  EXPECT_FALSE(p.definition->hasParameters());
}

TEST(EffectDefinitionParser, BothBlocksAndRepeatedBlocks) {
  Parsed p = parseText(
      "parameters { a [type=int] [default=1] [values=]; }\nmethods { f(x); }\n"
      "parameters { b [type=int] [default=2] [values=]; }");
  ASSERT_TRUE(p.valid) << p.error;
  EXPECT_FALSE(p.definition->hasParameter("a")) << "a second block replaces the first";
  EXPECT_TRUE(p.definition->hasParameter("b"));
  EXPECT_TRUE(p.definition->hasMethod("f"));
}

TEST(EffectDefinitionParser, UnknownBlockNameFails) {
  const std::string expected =
      "EffectDefinitionParser : Invalid block name!\nFile : test.def'\nblock name 'paramters' is not valid\n"
      "Valid blocks : parameters, methods\n";
  Parsed misspelt = parseText("paramters { a [type=int] [default=1] [values=]; }");
  EXPECT_FALSE(misspelt.valid);
  EXPECT_EQ(misspelt.definition, nullptr);
  EXPECT_EQ(misspelt.error, expected);
  Parsed later =
      parseText("parameters { a [type=int] [default=1] [values=]; }\nmethods { f(); }\nparamters { }");
  EXPECT_FALSE(later.valid);
  EXPECT_EQ(later.error, expected);
  EXPECT_NE(parseText("// c\nparameters { }").error.find("block name '// c\nparameters' is not valid"),
            std::string::npos)
      << "there is no comment syntax";
}

TEST(EffectDefinitionParser, EmptyBlockBeforeAnotherShiftsThePairs) {
  Parsed p = parseText("parameters {}\nmethods { f(1); }");
  EXPECT_FALSE(p.valid)
      << "the empty body vanishes, so methods is read as parameters and f(1) as a block name";
  EXPECT_NE(p.error.find("block name 'f(1);' is not valid"), std::string::npos) << p.error;
}

TEST(EffectDefinitionParser, ReadsFilesThroughTheResourceLayer) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  tree.write("defs/Fx.def", "parameters {\n  speed [type=float] [default=0.5] [values=];\n}\n");
  EffectDefinitionParser parser(tree.path("defs/Fx.def"));
  std::unique_ptr<EffectDefinition> definition(parser.parse());
  ASSERT_TRUE(parser.isValid()) << parser.getErrorMessage();
  EXPECT_EQ(definition->getParameter("speed")->getParameter("default"), "0.5");

  EffectDefinitionParser missing(tree.path("defs/None.def"));
  EXPECT_EQ(missing.parse(), nullptr);
  EXPECT_FALSE(missing.isValid());
  EXPECT_EQ(missing.getErrorMessage(),
            "EffectDefinitionParser : '" + tree.path("defs/None.def") + "' not found!");
}
