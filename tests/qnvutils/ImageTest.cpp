#include "qnvutils/Image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TempTree.h"

namespace {

// A 2 x 2 binary PPM: top row red, bottom row blue (the file stores the top row first).
std::string redOverBluePpm() {
  return std::string("P6\n2 2\n255\n") + std::string("\xff\x00\x00\xff\x00\x00", 6) +
         std::string("\x00\x00\xff\x00\x00\xff", 6);
}

// The same picture as a PNG (top row red, bottom row blue).
std::string redOverBluePng() {
  return std::string(
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x02"
      "\x08\x02\x00\x00\x00\xfd\xd4\x9a\x73\x00\x00\x00\x11\x49\x44\x41\x54\x78\x9c\x63\xf8\xcf\xc0\x00"
      "\x44\x0c\x60\xf2\x3f\x00\x1b\xf2\x03\xfd\xf3\xe7\x4b\xb1\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42"
      "\x60\x82",
      74);
}

void decodeBytes(Image& image, const std::string& bytes) {
  image.putData(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

void expectBottomRowFirst(const Image& image) {
  ASSERT_TRUE(image.exists());
  EXPECT_EQ(image.getWidth(), 2);
  EXPECT_EQ(image.getHeight(), 2);
  EXPECT_EQ(image.getBpp(), 24);
  EXPECT_EQ(image.getPixelSize(), 3);
  ASSERT_EQ(image.getDataSize(), 12u);
  const unsigned char* p = image.getData();
  EXPECT_EQ(std::vector<int>(p, p + 3), (std::vector<int>{0, 0, 255}));      // first stored row: blue
  EXPECT_EQ(std::vector<int>(p + 6, p + 9), (std::vector<int>{255, 0, 0}));  // last stored row: red
}

}  // namespace

TEST(Image, FilesAndBytesDecodeWithRowsFlippedAndWhatIsNotAPictureDoesNotExist) {
  TempTree tree;
  for (const std::string& bytes : {redOverBluePpm(), redOverBluePng()}) {
    tree.write("tex", bytes);
    Image fromFile(tree.path("tex"));
    expectBottomRowFirst(fromFile);
    EXPECT_EQ(fromFile.getFileName(), tree.path("tex"));
    Image fromBytes;
    fromBytes.setFileName("tex.ppm");
    decodeBytes(fromBytes, bytes);
    expectBottomRowFirst(fromBytes);
    EXPECT_EQ(fromBytes.getFileName(), "");
    decodeBytes(fromBytes, "not an image at all");
    EXPECT_FALSE(fromBytes.exists());
    EXPECT_EQ(fromBytes.getWidth(), 0);
    EXPECT_EQ(fromBytes.getData(), nullptr);
  }
  EXPECT_FALSE(Image(tree.path("nothing.png")).exists());
  Image empty;
  empty.putData(nullptr, 0);
  EXPECT_FALSE(empty.exists());
}

// The image library hangs on cut PNGs and double-frees on cut binary PNMs; every
// prefix must simply fail to decode.
TEST(Image, EveryTruncationFailsCleanly) {
  for (const std::string& full : {redOverBluePng(), redOverBluePpm()}) {
    for (std::size_t keep = 0; keep < full.size(); ++keep) {
      Image image;
      decodeBytes(image, full.substr(0, keep));
      EXPECT_FALSE(image.exists()) << keep;
    }
    TempTree tree;
    tree.write("cut.png", full.substr(0, full.size() - 1));
    EXPECT_FALSE(Image(tree.path("cut.png")).exists());
  }
}
