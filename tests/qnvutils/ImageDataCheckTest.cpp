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

TEST(ImageDataCheck, OtherContentIsLeftToTheLibrary) {
  EXPECT_TRUE(safe("GIF89a"));
  EXPECT_TRUE(safe(std::string(18, '\0')));  // TGA has no signature
  EXPECT_FALSE(ImageDataCheck::safeToDecode(nullptr, 0));
}
