// Golden picture comparison: the per-channel tolerance, the share of pixels allowed beyond it, the
// diff picture with its red marks, and pictures that cannot be compared.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "qnvutils/Image.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/GoldenImage.h"

namespace {

constexpr int width = 40;
constexpr int height = 25;  // 1000 pixels: the default allowance is 5 of them

class GoldenImageTest : public ::testing::Test {
 protected:
  void SetUp() override { pixels.assign(width * height * 3, 100); }

  // Sets the pixel (x, y), y counted from the top, to one grey level.
  void set(int x, int y, uint8_t grey) {
    for (int c = 0; c < 3; ++c) pixels[(y * width + x) * 3 + c] = grey;
  }
  std::string save(const std::string& name) {
    EXPECT_TRUE(writePNG(dir.file(name), width, height, 3, pixels));
    return dir.file(name);
  }
  GoldenComparison compareWith(const std::string& reference) const {
    return GoldenImage().compare(dir.file("frame.png"), reference, dir.file("diff.png"));
  }

  TempDir dir;
  std::vector<uint8_t> pixels;
};

TEST_F(GoldenImageTest, DifferencesWithinTheToleranceMatch) {
  std::string reference = save("reference.png");
  for (int x = 0; x < width; ++x) set(x, 3, 108);
  save("frame.png");
  GoldenComparison result = compareWith(reference);
  EXPECT_TRUE(result.matches) << result.message;
  EXPECT_EQ(result.differing, 0);
  EXPECT_EQ(result.total, width * height);
  EXPECT_FALSE(std::filesystem::exists(dir.file("diff.png")));
}

TEST_F(GoldenImageTest, AHalfPercentOfPixelsMayGoBeyondIt) {
  std::string reference = save("reference.png");
  for (int x = 0; x < 5; ++x) set(x, 0, 109);
  save("frame.png");
  GoldenComparison five = compareWith(reference);
  EXPECT_TRUE(five.matches) << five.message;
  EXPECT_EQ(five.differing, 5);

  set(5, 0, 91);
  save("frame.png");
  GoldenComparison six = compareWith(reference);
  EXPECT_FALSE(six.matches);
  EXPECT_EQ(six.differing, 6);
}

TEST_F(GoldenImageTest, ATighterComparisonCanBeAskedFor) {
  std::string reference = save("reference.png");
  set(7, 7, 102);
  save("frame.png");
  EXPECT_TRUE(compareWith(reference).matches);
  EXPECT_FALSE(GoldenImage(1, 0.0).compare(dir.file("frame.png"), reference, dir.file("diff.png")).matches);
}

// The diff shows the frame at a third of its brightness and the differing pixels in red, upright.
TEST_F(GoldenImageTest, MismatchWritesTheDiffPictureAndNamesIt) {
  std::string reference = save("reference.png");
  for (int x = 0; x < 10; ++x) set(x, 0, 200);
  save("frame.png");
  GoldenComparison result = compareWith(reference);
  ASSERT_FALSE(result.matches);
  EXPECT_NE(result.message.find("10 of 1000 pixels"), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("diff image: " + dir.file("diff.png")), std::string::npos) << result.message;

  Image diff(dir.file("diff.png"));
  ASSERT_TRUE(diff.exists());
  ASSERT_EQ(diff.getWidth(), width);
  ASSERT_EQ(diff.getHeight(), height);
  auto at = [&](int x, int yFromTop) {
    const unsigned char* p = diff.getData() + ((height - 1 - yFromTop) * width + x) * diff.getPixelSize();
    return Rgba{p[0], p[1], p[2], 255};
  };
  EXPECT_PRED3(near, at(0, 0), (Rgba{255, 0, 0, 255}), 0);
  EXPECT_PRED3(near, at(9, 0), (Rgba{255, 0, 0, 255}), 0);
  EXPECT_PRED3(near, at(10, 0), (Rgba{33, 33, 33, 255}), 0);
  EXPECT_PRED3(near, at(0, 1), (Rgba{33, 33, 33, 255}), 0);
}

TEST_F(GoldenImageTest, PicturesThatCannotBeComparedFail) {
  std::string reference = save("reference.png");
  GoldenComparison missing = compareWith(reference);
  EXPECT_FALSE(missing.matches);
  EXPECT_EQ(missing.message, "cannot read the frame " + dir.file("frame.png"));

  save("frame.png");
  GoldenComparison noReference = compareWith(dir.file("nothing.png"));
  EXPECT_FALSE(noReference.matches);
  EXPECT_EQ(noReference.message, "cannot read the reference " + dir.file("nothing.png"));

  ASSERT_TRUE(writePNG(dir.file("small.png"), 4, 4, 3, std::vector<uint8_t>(48, 100)));
  GoldenComparison sizes = compareWith(dir.file("small.png"));
  EXPECT_FALSE(sizes.matches);
  EXPECT_NE(sizes.message.find("is 40x25, the reference " + dir.file("small.png") + " 4x4"),
            std::string::npos)
      << sizes.message;
}

}  // namespace
