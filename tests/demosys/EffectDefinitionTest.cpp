#include "demosys/script/EffectDefinition.h"

#include <gtest/gtest.h>

#include <memory>

#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

namespace {

ParameterGroup* declared(const std::string& type, const std::string& defaultValue) {
  auto* g = new ParameterGroup();
  g->addParameter("type", type);
  g->addParameter("default", defaultValue);
  g->addParameter("values", "");
  return g;
}

// opacity: float 1.0; shader: string without a default.
Parameters* blendParameters() {
  auto* p = new Parameters();
  p->addGroup("opacity", declared("float", "1.0"));
  auto* shader = new ParameterGroup();
  shader->addParameter("type", "string");
  shader->addParameter("values", "<string>");
  p->addGroup("shader", shader);
  return p;
}

Parameters* oneMethod() {
  auto* m = new Parameters();
  auto* fade = new ParameterGroup();
  fade->addParameter("00", "1");
  m->addGroup("fade", fade);
  return m;
}

}  // namespace

TEST(EffectDefinition, WithoutDeclarationsNothingIsDeclared) {
  EffectDefinition d;
  EXPECT_EQ(d.getName(), "");
  EXPECT_FALSE(d.hasParameters());
  EXPECT_FALSE(d.hasMethods());
  EXPECT_FALSE(d.hasParameter("opacity"));
  EXPECT_EQ(d.getParameter("opacity"), nullptr);
  EXPECT_FALSE(d.hasMethod("fade"));
  EXPECT_EQ(d.getMethod("fade"), nullptr);
  std::unique_ptr<ParameterGroup> defaults(d.getDefaults());
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->size(), 0);
  EXPECT_EQ(defaults->getGroupName(), "parameters");
}

TEST(EffectDefinition, DefaultsTakeEachDeclaredDefault) {
  EffectDefinition d;
  d.setParameters(blendParameters());
  std::unique_ptr<ParameterGroup> defaults(d.getDefaults());
  EXPECT_EQ(defaults->getGroupName(), "parameters");
  ASSERT_EQ(defaults->size(), 2);
  EXPECT_EQ(defaults->getParameter("opacity"), "1.0");
  EXPECT_EQ(defaults->getParameter("shader"), "NULL");
  EXPECT_TRUE(defaults->exist("shader"));
  // The caller owns a copy: changing it leaves the declarations alone.
  defaults->addParameter("opacity", "0.5");
  EXPECT_EQ(d.getParameter("opacity")->getParameter("default"), "1.0");
}

TEST(EffectDefinition, LooksUpDeclaredParametersAndMethods) {
  EffectDefinition d;
  d.setParameters(blendParameters());
  d.setMethods(oneMethod());
  EXPECT_TRUE(d.hasParameter("opacity"));
  EXPECT_FALSE(d.hasParameter("fade"));
  EXPECT_EQ(d.getParameter("opacity")->getParameter("type"), "float");
  EXPECT_EQ(d.getParameter("opacity")->getGroupName(), "opacity");
  EXPECT_TRUE(d.hasMethod("fade"));
  EXPECT_FALSE(d.hasMethod("opacity"));
  EXPECT_EQ(d.getMethod("fade")->getParameter("00"), "1");
  EXPECT_EQ(d.getMethods()->size(), 1);
  EXPECT_EQ(d.getParameters()->size(), 2);
}

// Replaced collections are deleted: the sanitizer build reports a leak or a double delete here.
TEST(EffectDefinition, SettingCollectionsReplacesThem) {
  EffectDefinition d;
  d.setParameters(blendParameters());
  auto* replacement = new Parameters();
  d.setParameters(replacement);
  d.setParameters(replacement);
  EXPECT_EQ(d.getParameters(), replacement);
  EXPECT_FALSE(d.hasParameter("opacity"));
  d.setMethods(oneMethod());
  d.setMethods(nullptr);
  EXPECT_FALSE(d.hasMethods());
  EXPECT_FALSE(d.hasMethod("fade"));
}

TEST(EffectDefinition, ToStringWithoutDeclarations) {
  EffectDefinition d;
  d.setName("BlendEffect");
  EXPECT_EQ(d.toString(),
            "EffectDefinition {\n"
            "effect = BlendEffect\n"
            "No Parameters\n"
            "No methods\n"
            "}\n");
}

TEST(EffectDefinition, ToStringWithDeclarations) {
  EffectDefinition d;
  auto* p = new Parameters();
  p->addGroup("opacity", declared("float", "1.0"));
  d.setParameters(p);
  d.setMethods(oneMethod());
  EXPECT_EQ(d.toString(),
            "EffectDefinition {\n"
            "effect = \n"
            "opacity {\n    default = 1.0;\n    type = float;\n    values = ;\n}\n"
            "\n"
            "fade {\n    00 = 1;\n}\n"
            "\n"
            "}\n");
  // An empty, but present, collection prints as nothing rather than "No ...".
  d.setMethods(new Parameters());
  EXPECT_NE(d.toString().find("}\n\n\n}\n"), std::string::npos);
}
