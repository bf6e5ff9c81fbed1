// ReferenceFrame: read-back of a whole render target and the comparison with its reference.
#include "tests/gl/ReferenceFrame.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "demosys/render/FrameBufferObject.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/GoldenImage.h"

namespace {

// RGB rows top-down, as writePNG wants them.
std::vector<uint8_t> pixelsOf(FrameBufferObject& target) {
  const int width = target.getWidth();
  const int height = target.getHeight();
  std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 3);
  target.bind();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  target.release();
  std::vector<uint8_t> topDown(bottomUp.size());
  const size_t row = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    std::copy_n(bottomUp.begin() + static_cast<long>(row * y), row,
                topDown.begin() + static_cast<long>(row * (height - 1 - y)));
  }
  return topDown;
}

}  // namespace

std::string compareWithReference(FrameBufferObject& target, const std::string& name) {
  const std::filesystem::path dir = std::filesystem::current_path() / "golden" / "effects";
  std::filesystem::create_directories(dir);
  const std::string frame = (dir / (name + ".png")).string();
  if (!writePNG(frame, target.getWidth(), target.getHeight(), 3, pixelsOf(target))) {
    return "cannot write " + frame;
  }
  const std::string reference = DEMOSYS_SOURCE_DIR "/tests/golden/effects/" + name + ".png";
  if (!std::filesystem::exists(reference)) {
    return "no reference " + reference + "; the frame is " + frame + " (look at it before copying it there)";
  }
  GoldenComparison result = GoldenImage().compare(frame, reference, (dir / (name + "_diff.png")).string());
  return result.matches ? "" : result.message;
}
