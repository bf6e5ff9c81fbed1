#include "demosys/resources/QNVIO.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "demosys/resources/Binary.h"
#include "qnvutils/File.h"
#include "tests/support/TempTree.h"

namespace {

const char* const SCRIPT = "resources/scripts/demoscript.txt";
const char* const DATA = "resources/data/table.bin";

// The same resources as a directory tree and as "resources.7z", with the tree as the
// working directory; the archive is opened when a test selects it.
class QNVIOSources : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    tree.write(SCRIPT, "{QNVDS1}\nsystem {\n}\n");
    tree.write(DATA, std::string("\x00\x80\xff", 3));
    ASSERT_TRUE(tree.archive("resources.7z", "-ms=off", {"resources"}));
    tree.enter();
    QNVIO::init(GetParam());
  }
  void TearDown() override {
    QNVIO::destroy();
    QNVIO::init(QNVIO::QNV_RESOURCES_FLAT);
    tree.leave();
  }

  TempTree tree;
};

}  // namespace

TEST_P(QNVIOSources, LoadsFilesByTheirRelativeName) {
  std::unique_ptr<File> file(QNVIO::loadFile(SCRIPT));
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->exists());
  EXPECT_EQ(file->getAsString(), "{QNVDS1}\nsystem {\n}\n");
  std::unique_ptr<File> text(QNVIO::loadTextFile(SCRIPT));
  EXPECT_EQ(text->getAsLines().size(), 4u);
}

TEST_P(QNVIOSources, MissingFileExistsNot) {
  for (const char* name : {"resources/scripts/missing.txt", "Resources/scripts/demoscript.txt",
                           "./resources/scripts/demoscript.txt"}) {
    if (GetParam() == QNVIO::QNV_RESOURCES_FLAT && name[0] == '.') continue;  // the file system resolves "./"
    std::unique_ptr<File> file(QNVIO::loadFile(name));
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->exists()) << name;
    EXPECT_EQ(QNVIO::loadBinary(name), nullptr) << name;
  }
}

TEST_P(QNVIOSources, LoadsBinaryData) {
  std::unique_ptr<Binary> binary(QNVIO::loadBinary(DATA));
  ASSERT_NE(binary, nullptr);
  EXPECT_EQ(binary->size(), 3);
  EXPECT_EQ(binary->getData(1), 0x80);
}

INSTANTIATE_TEST_SUITE_P(DirectoryAndArchive, QNVIOSources,
                         ::testing::Values(QNVIO::QNV_RESOURCES_FLAT, QNVIO::QNV_RESOURCES_7Z));

TEST(QNVIO, UnknownResourceTypeGivesNothing) {
  EXPECT_EQ(QNVIO::loadFile("x", 2), nullptr);
  EXPECT_EQ(QNVIO::loadTextFile("x", -1), nullptr);
  EXPECT_EQ(QNVIO::loadBinary("x", 5), nullptr);
}

TEST(QNVIO, ArchiveLoadsMissAfterDestroyOrWithoutArchive) {
  TempTree tree;
  tree.write("resources/a.txt", "a");
  tree.enter();
  QNVIO::init(QNVIO::QNV_RESOURCES_7Z);  // no resources.7z here
  std::unique_ptr<File> missing(QNVIO::loadFile("resources/a.txt"));
  EXPECT_FALSE(missing->exists());
  ASSERT_TRUE(tree.archive("resources.7z", "", {"resources"}));
  QNVIO::init(QNVIO::QNV_RESOURCES_7Z);
  std::unique_ptr<File> found(QNVIO::loadFile("resources/a.txt"));
  EXPECT_TRUE(found->exists());
  QNVIO::destroy();
  std::unique_ptr<File> closed(QNVIO::loadFile("resources/a.txt"));
  EXPECT_FALSE(closed->exists());
  // A damaged archive behaves as a missing one.
  std::string bytes = tree.read("resources.7z");
  tree.write("resources.7z", bytes.substr(0, bytes.size() / 2));
  QNVIO::init(QNVIO::QNV_RESOURCES_7Z);
  std::unique_ptr<File> damaged(QNVIO::loadFile("resources/a.txt"));
  EXPECT_FALSE(damaged->exists());
  QNVIO::destroy();
  QNVIO::init(QNVIO::QNV_RESOURCES_FLAT);
  tree.leave();
}
