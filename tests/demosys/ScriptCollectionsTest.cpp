// The script's collections on their own, for what the parser tests do not reach: replacing and
// moving entries (replaced ones are deleted: the sanitizer build reports a leak or a double delete
// here), byte-wise key order, missing keys reading "NULL", and defaults handed out as fresh copies.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "demosys/script/EffectDefinition.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/script/ScriptDefaults.h"

namespace {

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
