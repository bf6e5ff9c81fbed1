// Pictures as the texture loader reads them: PNG and Netpbm from files and bytes, rows bottom-up,
// and what must never reach the image library (it hangs, double-frees or overruns the heap on it).
#include "qnvutils/Image.h"

#include <IL/il.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qnvutils/File.h"
#include "qnvutils/ImageDataCheck.h"
#include "qnvutils/ImageHeader.h"
#include "tests/support/PngBytes.h"
#include "tests/support/TempTree.h"

namespace {

// A 2 x 2 binary PPM: top row red, bottom row blue (the file stores the top row first).
std::string redOverBluePpm() {
  return std::string("P6\n2 2\n255\n") + std::string("\xff\x00\x00\xff\x00\x00", 6) +
         std::string("\x00\x00\xff\x00\x00\xff", 6);
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

const unsigned char* bytesOf(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

bool safe(const std::string& bytes) { return ImageDataCheck::safeToDecode(bytesOf(bytes), bytes.size()); }

std::string chunk(const std::string& type, const std::string& data) {
  const auto n = static_cast<unsigned>(data.size());
  return std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} + type + data + "CRC!";
}

const std::string SIGNATURE("\x89PNG\r\n\x1a\n", 8);

struct PnmCase {
  const char* what;
  std::string bytes;
  std::vector<int> bottomUpRgb;  // empty: refused
};

}  // namespace

TEST(Image, FilesAndBytesDecodeWithRowsFlippedAndWhatIsNotAPictureDoesNotExist) {
  TempTree tree;
  for (const std::string& bytes : {redOverBluePpm(), pngDeclaring()}) {
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
  for (const std::string& full : {pngDeclaring(), redOverBluePpm()}) {
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


// Netpbm has our own decoder (to 8-bit RGB); damaged files are refused with a reason.
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
    decodeBytes(image, c.bytes);
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
