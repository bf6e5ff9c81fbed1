#include "demosys/script/ScriptDefaults.h"

#include <gtest/gtest.h>

#include <memory>

#include "demosys/script/EffectDefinition.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

namespace {

EffectDefinition* definitionWithDefault(const std::string& parameter, const std::string& value) {
  auto* attributes = new ParameterGroup();
  attributes->addParameter("default", value);
  auto* parameters = new Parameters();
  parameters->addGroup(parameter, attributes);
  auto* d = new EffectDefinition();
  d->setParameters(parameters);
  return d;
}

}  // namespace

TEST(ScriptDefaults, UnknownNamesGiveNothing) {
  ScriptDefaults s;
  EXPECT_EQ(s.size(), 0);
  EXPECT_FALSE(s.exists("screen"));
  EXPECT_EQ(s.getEffectDefinition("screen"), nullptr);
  EXPECT_EQ(s.getDefaults("screen"), nullptr);
}

TEST(ScriptDefaults, DefaultsAreAFreshGroupPerCall) {
  ScriptDefaults s;
  s.addEffectDefinition("screen", definitionWithDefault("width", "640"));
  EXPECT_TRUE(s.exists("screen"));
  std::unique_ptr<ParameterGroup> first(s.getDefaults("screen"));
  std::unique_ptr<ParameterGroup> second(s.getDefaults("screen"));
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first.get(), second.get());
  EXPECT_EQ(first->getParameter("width"), "640");
  first->addParameter("width", "800");
  EXPECT_EQ(second->getParameter("width"), "640");
  EXPECT_EQ(s.getDefaults("Screen"), nullptr);
}

// Replaced definitions are deleted: the sanitizer build reports a leak or a double delete here.
TEST(ScriptDefaults, ReplacingAndMovingDefinitions) {
  ScriptDefaults s;
  s.addEffectDefinition("a", definitionWithDefault("x", "1"));
  auto* replacement = definitionWithDefault("x", "2");
  s.addEffectDefinition("a", replacement);
  s.addEffectDefinition("a", replacement);
  s.addEffectDefinition("a", nullptr);
  EXPECT_EQ(s.size(), 1);
  EXPECT_EQ(s.getEffectDefinition("a"), replacement);
  s.addEffectDefinition("b", replacement);
  EXPECT_EQ(s.size(), 1);
  EXPECT_FALSE(s.exists("a"));
  EXPECT_EQ(s.getEffectDefinition("b"), replacement);
}
