#include "qnvutils/Arc.h"

#include <gtest/gtest.h>

#include <string>

#include "qnvutils/File.h"
#include "qnvutils/Image.h"
#include "tests/support/TempTree.h"

namespace {

const std::string PPM = std::string("P6\n1 2\n255\n") + std::string("\xff\x00\x00\x00\x00\xff", 6);

class ArcArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    tree.write("res/text.txt", "line one\r\nline two\n");
    tree.write("res/empty.txt", "");
    tree.write("res/pic.ppm", PPM);
    tree.write("res/broken.ppm", "P6\n1 2\n255\nxy");
    ASSERT_TRUE(tree.archive("res.7z", "-ms=on", {"res"}));
    ASSERT_TRUE(arc_load(tree.path("res.7z")));
  }
  void TearDown() override { arc_close(); }

  TempTree tree;
};

}  // namespace

TEST_F(ArcArchive, FillsMemoryFilesAndImagesAndMissesLeaveThemAbsent) {
  File file("res/text.txt");
  EXPECT_TRUE(arc_getFile(&file));
  EXPECT_EQ(file.getAsLines(), (std::vector<std::string>{"line one", "line two", ""}));
  EXPECT_EQ(file.getReadOffset(), 0u);
  File empty("res/empty.txt");
  EXPECT_TRUE(arc_getFile(&empty));
  EXPECT_TRUE(empty.exists());
  EXPECT_EQ(empty.getFileSize(), 0u);
  File missing("res/Text.txt");
  EXPECT_FALSE(arc_getFile(&missing));
  EXPECT_FALSE(missing.exists());
  EXPECT_FALSE(arc_getFile(nullptr));

  Image image;
  image.setFileName("res/pic.ppm");
  EXPECT_TRUE(arc_getImage(&image));
  ASSERT_TRUE(image.exists());
  EXPECT_EQ(image.getData()[2], 0xff);  // bottom (blue) row first
  Image absent;
  absent.setFileName("res/none.ppm");
  EXPECT_FALSE(arc_getImage(&absent));
  EXPECT_FALSE(absent.exists());
  // Found but undecodable: extracted, yet no image.
  Image broken;
  broken.setFileName("res/broken.ppm");
  EXPECT_TRUE(arc_getImage(&broken));
  EXPECT_FALSE(broken.exists());
}
