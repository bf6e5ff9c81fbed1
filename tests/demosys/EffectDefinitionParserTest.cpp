// The .def files and the script's collections they fill; replaced entries are deleted, so the
// sanitizer build reports a leak or a double delete here.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "demosys/script/EffectDefinition.h"
#include "demosys/script/EffectDefinitionParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/script/ScriptDefaults.h"
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

ParameterGroup* groupWith(const std::string& key, const std::string& value) {
  auto* g = new ParameterGroup();
  g->addParameter(key, value);
  return g;
}

// One declared parameter with a default (none when `value` is empty).
EffectDefinition* definitionWithDefault(const std::string& parameter, const std::string& value) {
  auto* parameters = new Parameters();
  parameters->addGroup(parameter, value.empty() ? new ParameterGroup() : groupWith("default", value));
  auto* d = new EffectDefinition();
  d->setParameters(parameters);
  return d;
}

}  // namespace

// Each text's defaults as the instances start from them; short declarations keep an empty entry.
TEST(EffectDefinitionParser, ParametersCarryTheirAttributesAndDefaults) {
  const std::pair<const char*, const char*> cases[] = {
      {"parameters { }", "ParameterGroup{ EMPTY }\n"},
      {"parameters\n{\n}\n", "ParameterGroup{ EMPTY }\n"},
      {"parameters", "ParameterGroup{ EMPTY }\n"},
      {"parameters {\n  a [type=int] [default=3] [values=];\n  b [type=string] [default=x] [values=x,y];\n}\n",
       "parameters {\n    a = 3;\n    b = x;\n}\n"},
      {"parameters { a [type=float] [default=1.0]; b; }", "parameters {\n    a = 1.0;\n    b = NULL;\n}\n"},
      {"parameters { a [type=int] [default=1] [values=]; }\nmethods { f(x); }\n"
       "parameters { b [type=int] [default=2] [values=]; }",
       "parameters {\n    b = 2;\n}\n"},  // a second block replaces the first
  };
  for (const auto& c : cases) {
    Parsed p = parseText(c.first);
    ASSERT_TRUE(p.valid) << c.first << ": " << p.error;
    EXPECT_TRUE(p.definition->hasParameters()) << c.first;
    EXPECT_EQ(defaultsText(*p.definition), c.second) << c.first;
  }
  EXPECT_FALSE(parseText("").definition->hasParameters());
  Parsed p = parseText(cases[3].first);
  EXPECT_EQ(p.definition->getParameter("b")->getParameter("type"), "string");
  EXPECT_EQ(p.definition->getParameter("b")->getParameter("values"), "x,y");
  EXPECT_EQ(p.definition->getParameter("a")->getGroupName(), "a");
  EXPECT_FALSE(p.definition->hasMethods());
  EXPECT_EQ(p.definition->getName(), "") << "definitions are known by the name they are stored under";
  Parsed shortOne = parseText(cases[4].first);
  EXPECT_EQ(shortOne.definition->getParameter("a")->toString(),
            "a {\n     = ;\n    default = 1.0;\n    type = float;\n}\n");
  EXPECT_TRUE(parseText(cases[5].first).definition->hasMethod("f"));
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

TEST(ScriptCollections, GroupKeysSortBytewiseReplaceTheirValueAndMissingOnesReadNull) {
  ParameterGroup g;
  for (const char* key : {"b", "ab", "B", "a", "_x", "10", "9", "a"}) g.addParameter(key, std::string("v") + key);
  g.addParameter("", "");  // an empty key is an ordinary key
  std::string keys;
  for (int i = 0; i < g.size(); ++i) keys += "[" + g.getKey(i) + "=" + g.getValue(i) + "]";
  EXPECT_EQ(keys, "[=][10=v10][9=v9][B=vB][_x=v_x][a=va][ab=vab][b=vb]");
  EXPECT_EQ(g.getParameter("A"), "NULL");
  EXPECT_FALSE(g.exist("A"));
}

TEST(ScriptCollections, ParametersRenameMoveAndReplaceTheirGroups) {
  Parameters p;
  auto* g = new ParameterGroup("old");
  p.addGroup("screen", g);
  EXPECT_EQ(g->getGroupName(), "screen");
  EXPECT_EQ(p.getGroup("old"), nullptr);
  p.addGroup("system", g);  // stored under a new name, it moves
  EXPECT_EQ(p.size(), 1);
  EXPECT_FALSE(p.exist("screen"));
  EXPECT_EQ(g->getGroupName(), "system");
  auto* second = groupWith("k", "2");
  p.addGroup("system", second);
  p.addGroup("system", second);  // re-adding the same group must not delete it
  p.addGroup("paths", new ParameterGroup());
  EXPECT_EQ(p.getGroup("system")->getParameter("k"), "2");
  EXPECT_EQ(p.getKey(0), "paths");
  EXPECT_EQ(p.getValue(1), second);
  EXPECT_EQ(p.getKey(2), "");
  EXPECT_EQ(p.getValue(-1), nullptr);
}

TEST(ScriptCollections, DefinitionsHandOutFreshDefaultsAndReplaceTheirCollections) {
  ScriptDefaults s;
  s.addEffectDefinition("screen", definitionWithDefault("width", "640"));
  s.addEffectDefinition("blend", definitionWithDefault("shader", ""));
  std::unique_ptr<ParameterGroup> first(s.getDefaults("screen"));
  std::unique_ptr<ParameterGroup> second(s.getDefaults("screen"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->getGroupName(), "parameters");
  first->addParameter("width", "800");
  EXPECT_EQ(second->getParameter("width"), "640") << "each caller owns its copy";
  EXPECT_EQ(s.getEffectDefinition("screen")->getParameter("width")->getParameter("default"), "640");
  std::unique_ptr<ParameterGroup> blend(s.getDefaults("blend"));
  EXPECT_TRUE(blend->exist("shader"));
  EXPECT_EQ(blend->getParameter("shader"), "NULL") << "a declaration without a default";
  EXPECT_EQ(s.getDefaults("Screen"), nullptr);

  EffectDefinition* replacement = definitionWithDefault("x", "2");
  s.addEffectDefinition("blend", replacement);
  s.addEffectDefinition("blend", replacement);
  s.addEffectDefinition("blend", nullptr);
  EXPECT_EQ(s.getEffectDefinition("blend"), replacement);
  s.addEffectDefinition("moved", replacement);
  EXPECT_FALSE(s.exists("blend"));
  EXPECT_EQ(s.size(), 2);
  auto* parameters = new Parameters();
  replacement->setParameters(parameters);
  replacement->setParameters(parameters);
  EXPECT_FALSE(replacement->hasParameter("x"));
  replacement->setMethods(new Parameters());
  replacement->setMethods(nullptr);
  EXPECT_FALSE(replacement->hasMethods());
}
