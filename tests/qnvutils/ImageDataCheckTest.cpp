#include "qnvutils/ImageDataCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool safe(const std::string& bytes) {
  return ImageDataCheck::safeToDecode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string chunk(const std::string& type, const std::string& data) {
  const auto n = static_cast<unsigned>(data.size());
  return std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} + type + data + "CRC!";
}

const std::string SIGNATURE("\x89PNG\r\n\x1a\n", 8);

}  // namespace

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

TEST(ImageDataCheck, BinaryPnmNeedsAllAnnouncedPixels) {
  EXPECT_TRUE(safe("P6\n2 1\n255\n" + std::string(6, 'p')));
  EXPECT_FALSE(safe("P6\n2 1\n255\n" + std::string(5, 'p')));
  EXPECT_TRUE(safe("P6 # comment\n2 1 65535\n" + std::string(12, 'p')));
  EXPECT_FALSE(safe("P6 2 1 65535\n" + std::string(11, 'p')));
  EXPECT_TRUE(safe("P5\n3 2\n255\n" + std::string(6, 'g')));
  EXPECT_FALSE(safe("P5\n3 2\n255\n"));
  EXPECT_TRUE(safe("P4\n9 2\n" + std::string(4, 'b')));
  EXPECT_FALSE(safe("P4\n9 2\n" + std::string(3, 'b')));
  EXPECT_FALSE(safe("P6\n99999999999 1\n255\n"));
  EXPECT_FALSE(safe("P6\nx 1\n255\n"));
}

TEST(ImageDataCheck, OtherContentIsLeftToTheLibrary) {
  EXPECT_TRUE(safe("P3\n1 1\n255\n1 2"));  // text PNM readers stop cleanly
  EXPECT_TRUE(safe("GIF89a"));
  EXPECT_TRUE(safe(std::string(18, '\0')));  // TGA has no signature
  EXPECT_FALSE(ImageDataCheck::safeToDecode(nullptr, 0));
}
