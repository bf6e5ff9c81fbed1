// Netpbm files are decoded by our own reader: every variant to 8-bit RGB, the top row last (rows
// bottom-up), and damaged files refused with a reason instead of reaching the image library.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qnvutils/Image.h"

namespace {

struct PnmCase {
  const char* what;
  std::string bytes;
  std::vector<int> bottomUpRgb;  // empty: refused
};

TEST(PnmDecoder, EveryVariantDecodesAndDamageIsRefused) {
  const std::vector<PnmCase> cases = {
      {"binary pixmap with a tab between fields", std::string("P6\n2\t1\n255\n\xff\x00\x00\x00\x00\xff", 17),
       {255, 0, 0, 0, 0, 255}},
      {"plain pixmap, rows bottom-up", "P3\n1 2\n# comment\n255\n255 0 0\n0 0 255\n", {0, 0, 255, 255, 0, 0}},
      {"16-bit grey map scaled to 8 bits", std::string("P5 2 1 65535\n\xff\xff\x80\x00", 17),
       {255, 255, 255, 128, 128, 128}},
      {"plain grey map with a small maximum", "P2 2 1 3\n0 3\n", {0, 0, 0, 255, 255, 255}},
      // Rows of a binary bitmap start on a byte: 10 then 01, the second row's bits in a new byte.
      {"binary bitmap, padded rows", std::string("P4\n2 2\n\x80\x40", 9), {255, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255, 255}},
      {"plain bitmap with digits run together", "P1\n2 1\n01\n", {255, 255, 255, 0, 0, 0}},
      {"binary pixmap cut short", std::string("P6\n2 1\n255\n\xff\x00\x00\x00", 15), {}},
      {"binary bitmap of nine columns a byte short", "P4\n9 2\n" + std::string(3, '\0'), {}},
      {"width that is not a number", "P6\nx 1\n255\n" + std::string(3, '\0'), {}},
      {"sample above the maximum", "P2 1 1 3\n4\n", {}},
      {"plain bitmap digit other than 0 or 1", "P1 1 1\n2\n", {}},
      {"fields glued to the magic number", std::string("P62\n6 5\n255\n") + std::string(90, '\0'), {}},
      {"maximum of zero", "P2 1 1 0\n0\n", {}},
  };
  for (const PnmCase& c : cases) {
    Image image;
    image.putData(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size());
    if (c.bottomUpRgb.empty()) {
      EXPECT_FALSE(image.exists()) << c.what;
      EXPECT_FALSE(image.getProblem().empty()) << c.what;
      continue;
    }
    ASSERT_TRUE(image.exists()) << c.what << ": " << image.getProblem();
    EXPECT_EQ(image.getBpp(), 24) << c.what;
    const unsigned char* p = image.getData();
    EXPECT_EQ(std::vector<int>(p, p + image.getDataSize()), c.bottomUpRgb) << c.what;
  }
}

}  // namespace
