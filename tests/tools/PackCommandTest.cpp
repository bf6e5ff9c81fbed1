// `demosys pack ls` and `demosys pack cat` on archives made by the 7z command.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

namespace {

class PackCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    tree.write("resources/scripts/demoscript.txt", "{QNVDS1}\r\n");
    tree.write("resources/data/bytes.bin", std::string("\x00\x01\xff", 3));
    ASSERT_TRUE(tree.archive("resources.7z", "-ms=on", {"resources"}));
    archive = "'" + tree.path("resources.7z") + "'";
  }

  TempTree tree;
  std::string archive;
};

}  // namespace

TEST_F(PackCommand, LsListsEntriesWithSizes) {
  ToolRun r = ToolRun::of("pack ls " + archive);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("           3  resources/data/bytes.bin\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("          10  resources/scripts/demoscript.txt\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("resources/scripts\n"), std::string::npos);  // directories are not entries
}

TEST_F(PackCommand, CatPrintsTheExactBytes) {
  ToolRun r = ToolRun::of("pack cat " + archive + " resources/data/bytes.bin", false);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string("\x00\x01\xff", 3));
  r = ToolRun::of("pack cat " + archive + " resources/scripts/demoscript.txt", false);
  EXPECT_EQ(r.out, "{QNVDS1}\r\n");
}

TEST_F(PackCommand, MissingEntryOrArchiveFailsWithOneLine) {
  ToolRun r = ToolRun::of("pack cat " + archive + " resources/Data/bytes.bin");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("no entry 'resources/Data/bytes.bin'"), std::string::npos) << r.out;

  r = ToolRun::of("pack ls '" + tree.path("missing.7z") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("cannot read archive"), std::string::npos) << r.out;

  tree.write("text.7z", "not an archive");
  r = ToolRun::of("pack cat '" + tree.path("text.7z") + "' x");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("cannot read archive"), std::string::npos) << r.out;
}

TEST_F(PackCommand, BadUsageShowsTheSubcommands) {
  for (const char* args : {"pack", "pack ls", "pack cat only-one-arg", "pack frobnicate x"}) {
    ToolRun r = ToolRun::of(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.out.find("demosys pack cat ARCHIVE ENTRY"), std::string::npos) << args << r.out;
  }
}
