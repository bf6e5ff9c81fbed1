// GL test harness: one real SDL 1.2 OpenGL window per test program (double buffered, 32-bit) on
// the virtual X screen, GLEW initialised, OpenGL 2.0 required; pixel read-back of the window's back
// buffer, of a render target, and of the X screen itself (what a viewer would see).
// Depends on: SDL 1.2 (sdl12-compat), GLEW, FrameBufferObject, TempTree, DevIL (PNG files), Image and
// xwd with ImageMagick (screenshots).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/TempTree.h"

class FrameBufferObject;
class ScreenMetrics;

struct Rgba {
  int r, g, b, a;
};

// Channel-wise comparison with a tolerance for the rasteriser's rounding.
bool near(const Rgba& actual, const Rgba& expected, int tolerance = 2);
std::ostream& operator<<(std::ostream& out, const Rgba& c);

// An RGB picture read from somewhere, rows top-down.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  Rgba at(int x, int y) const;
};

class GLTestFixture : public ::testing::Test {
 public:
  static constexpr int windowWidth = 320;
  static constexpr int windowHeight = 180;

  // The window's letterbox metrics, installed as QNVDemosys::screenMetrics.
  static ScreenMetrics& metrics();

  // Pixel of the current back buffer, (0,0) bottom left as GL counts.
  static Rgba readWindow(int x, int y);
  // The same at normalised device coordinates (x, y).
  static Rgba readWindowAt(float x, float y) {
    return readWindow(static_cast<int>((x + 1) / 2 * windowWidth), static_cast<int>((y + 1) / 2 * windowHeight));
  }
  // Pixel of a render target's colour attachment; binds it for the read and restores framebuffer 0.
  static Rgba readFBO(FrameBufferObject& fbo, int x, int y);
  // Clears the bound framebuffer's colour and depth to opaque black.
  static void clearScreen();
  // Pixel of whatever framebuffer is bound now.
  static Rgba readBound(int x, int y);
  // Swaps and grabs the X screen (xwd piped through ImageMagick's convert); false when it failed.
  static bool screenshot(Picture& picture);
  static void swapBuffers();

 protected:
  // Opens the window on first use; then returns GL to a known state and empties the bind stack.
  void SetUp() override;
  void TearDown() override;
};

// A private temporary directory, removed with its files at the end of the test: path() without a
// trailing '/', file(NAME) inside it.
struct TempDir : TempTree {
  std::string path() const { return TempTree::path("").substr(0, TempTree::path("").size() - 1); }
  std::string file(const std::string& name) const { return TempTree::path(name); }
};

// Writes an 8-bit RGBA or RGB PNG; rows are given top-down.
bool writePNG(const std::string& path, int width, int height, int channels,
              const std::vector<uint8_t>& pixels);

// Runs a shell command, returning its standard output; status receives the exit status.
std::string runCommand(const std::string& command, int* status = nullptr);
