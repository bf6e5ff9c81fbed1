#include "demosys/script/ParameterGroup.h"

#include <gtest/gtest.h>

#include <string>

TEST(ParameterGroup, NamesDefaultToParameters) {
  EXPECT_EQ(ParameterGroup().getGroupName(), "parameters");
  ParameterGroup g("screen");
  EXPECT_EQ(g.getGroupName(), "screen");
  g.setGroupName("sound");
  EXPECT_EQ(g.getGroupName(), "sound");
}

TEST(ParameterGroup, MissingKeyReadsAsNullText) {
  ParameterGroup g;
  EXPECT_EQ(g.getParameter("width"), "NULL");
  EXPECT_FALSE(g.exist("width"));
  g.addParameter("width", "640");
  EXPECT_TRUE(g.exist("width"));
  EXPECT_EQ(g.getParameter("width"), "640");
  EXPECT_EQ(g.getParameter("Width"), "NULL");
}

TEST(ParameterGroup, AddingAnExistingKeyReplacesItsValue) {
  ParameterGroup g;
  g.addParameter("a", "1");
  g.addParameter("a", "2");
  EXPECT_EQ(g.size(), 1);
  EXPECT_EQ(g.getParameter("a"), "2");
  g.addParameter("", "");  // an empty key is an ordinary key
  EXPECT_TRUE(g.exist(""));
  EXPECT_EQ(g.getParameter(""), "");
}

TEST(ParameterGroup, EntriesAreInByteWiseKeyOrder) {
  ParameterGroup g;
  for (const char* key : {"b", "ab", "B", "a", "_x", "10", "9"}) g.addParameter(key, std::string("v") + key);
  const char* expected[] = {"10", "9", "B", "_x", "a", "ab", "b"};
  ASSERT_EQ(g.size(), 7);
  for (int i = 0; i < g.size(); ++i) {
    EXPECT_EQ(g.getKey(i), expected[i]);
    EXPECT_EQ(g.getValue(i), std::string("v") + expected[i]);
  }
}

TEST(ParameterGroup, OutOfRangeIndexGivesEmptyText) {
  ParameterGroup g;
  g.addParameter("a", "1");
  EXPECT_EQ(g.getKey(-1), "");
  EXPECT_EQ(g.getValue(1), "");
  EXPECT_EQ(ParameterGroup().getKey(0), "");
}

TEST(ParameterGroup, ToStringLayout) {
  EXPECT_EQ(ParameterGroup("screen").toString(), "ParameterGroup{ EMPTY }\n");
  ParameterGroup g("screen");
  g.addParameter("width", "640");
  g.addParameter("fullscreen", "false");
  g.addParameter("title", "a b");
  EXPECT_EQ(g.toString(),
            "screen {\n"
            "    fullscreen = false;\n"
            "    title = a b;\n"
            "    width = 640;\n"
            "}\n");
}
