// What an image passes before the image library sees it: the header's type and size, and PNG chunks
// present through IEND.
#include "qnvutils/ImageHeader.h"

#include <IL/il.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qnvutils/File.h"
#include "qnvutils/Image.h"
#include "qnvutils/ImageDataCheck.h"
#include "tests/support/PngBytes.h"

namespace {

const unsigned char* bytesOf(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

bool safe(const std::string& bytes) { return ImageDataCheck::safeToDecode(bytesOf(bytes), bytes.size()); }

std::string chunk(const std::string& type, const std::string& data) {
  const auto n = static_cast<unsigned>(data.size());
  return std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} + type + data + "CRC!";
}

const std::string SIGNATURE("\x89PNG\r\n\x1a\n", 8);

}  // namespace

// Real files of every format the loader reads (the image fuzzer's seeds) pass the header check
// and decode to the size their header declares.
TEST(ImageHeader, EveryFormatOfTheLoaderStillDecodes) {
  const struct {
    const char* file;
    unsigned type;
    int width, height;
  } cases[] = {{"tiny.png", IL_PNG, 6, 5}, {"alpha.png", IL_PNG, 3, 2}, {"tiny.jpg", IL_JPG, 6, 5},
               {"tiny.bmp", IL_BMP, 6, 5}, {"tiny.tga", IL_TGA, 6, 5}, {"alpha.tga", IL_TGA, 3, 2},
               {"tiny.ppm", IL_PNM, 6, 5}, {"grey.pgm", IL_PNM, 3, 2}, {"text.ppm", IL_PNM, 2, 1}};
  for (const auto& c : cases) {
    const std::string path = std::string(DEMOSYS_SOURCE_DIR) + "/fuzz/corpus/Image/" + c.file;
    const Image image(path);
    EXPECT_TRUE(image.exists()) << c.file << ": " << image.getProblem();
    EXPECT_EQ(image.getWidth(), c.width) << c.file;
    EXPECT_EQ(image.getHeight(), c.height) << c.file;
    const std::vector<unsigned char> bytes = File(path, File::MODE_READ).getUnsigned();
    ImageHeader header;
    EXPECT_TRUE(header.read(bytes.data(), bytes.size()) && header.getType() == c.type) << c.file;
  }
}

// A segment whose length runs past the data must end the walk there, not go on reading what
// lies beyond: here the bytes after the end hold a frame header the reader would believe.
TEST(ImageHeader, JpegSegmentRunningPastTheDataIsNotFollowed) {
  const std::vector<unsigned char> bytes = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1,
                                            0,    0,    0,    0,    0,    0,    0,   0,   0xFF, 0xC0, 0x00, 0x11,
                                            8,    0,    9,    0,    7,    3};
  ImageHeader header;
  EXPECT_FALSE(header.read(bytes.data(), 12));
}

// The image library overruns the heap on these: they must never reach it.
TEST(ImageHeader, OversizedImagesAreRefusedWithTheReason) {
  const struct {
    uint32_t width, height;
    const char* problem;
  } cases[] = {
      {65536, 65536, "declares 65536 x 65536 pixels, more than 16384 per side"},
      {32768, 32768, "declares 32768 x 32768 pixels, more than 16384 per side"},
      {16384, 16384, "declares 16384 x 16384 pixels, more than 67108864 in all"},
      {0, 2, "declares 0 x 2 pixels, an empty image"},
  };
  for (const auto& c : cases) {
    Image image;
    const std::string png = pngDeclaring(c.width, c.height);
    image.putData(bytesOf(png), png.size());
    EXPECT_FALSE(image.exists()) << c.problem;
    EXPECT_EQ(image.getProblem(), c.problem);
  }
  Image limited;
  limited.setSideLimit(1);
  const std::string small = pngDeclaring();
  limited.putData(bytesOf(small), small.size());
  EXPECT_EQ(limited.getProblem(), "declares 2 x 2 pixels, more than 1 per side");
  limited.setSideLimit(2);
  limited.putData(bytesOf(small), small.size());
  EXPECT_TRUE(limited.exists());
  EXPECT_EQ(limited.getProblem(), "");
}

TEST(ImageDataCheck, PngNeedsEveryChunkThroughIend) {
  const std::string png =
      SIGNATURE + chunk("IHDR", std::string(13, 'h')) + chunk("IDAT", "pixels") + chunk("IEND", "");
  EXPECT_TRUE(safe(png));
  EXPECT_TRUE(safe(png + "trailing bytes are ignored"));
  for (std::size_t keep = SIGNATURE.size(); keep < png.size(); ++keep) {
    EXPECT_FALSE(safe(png.substr(0, keep))) << keep;
  }
  EXPECT_FALSE(safe(SIGNATURE + chunk("IHDR", "x")));  // no IEND at all
  std::string huge = SIGNATURE + chunk("IDAT", "x") + chunk("IEND", "");
  huge[8] = '\x7f';  // a length far beyond the data
  EXPECT_FALSE(safe(huge));
}

TEST(ImageDataCheck, OtherContentIsLeftToTheLibrary) {
  EXPECT_TRUE(safe("GIF89a"));
  EXPECT_TRUE(safe(std::string(18, '\0')));  // TGA has no signature
  EXPECT_FALSE(ImageDataCheck::safeToDecode(nullptr, 0));
}
