// The development overlay's own font: the printable ASCII characters of the font the build
// letters the production with, rasterised once at start-up into one alpha texture, and drawn as
// textured quads in window pixels (origin top left). Independent of the demo's content, so it
// survives every rebuild of the demo under the same window. The quads of a begin()/end() pass are
// gathered in a vertex array made at start-up and drawn with one call (a call per vertex costs
// more than the whole overlay may); drawing allocates nothing.
// Depends on: GlyphRasteriser (FreeType), OpenGL.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class OverlayFont {
 public:
  explicit OverlayFont(int pixelSize = 14);
  ~OverlayFont();
  OverlayFont(const OverlayFont&) = delete;
  OverlayFont& operator=(const OverlayFont&) = delete;

  bool isValid() const { return texture != 0; }
  const std::string& getErrorMessage() const { return errorMessage; }
  int lineHeight() const { return cellHeight; }

  // Sets the texture state the quads need; text() and setColour() calls go between begin() and
  // end(), which draws what they gathered.
  void begin() const;
  void end() const;
  // The colour of the text that follows (white after begin()).
  void setColour(float r, float g, float b, float a) const;
  // One line with its top left corner at (x, y); characters it lacks are skipped. Returns the
  // pen's x after the text.
  float text(const char* line, float x, float y) const;

 private:
  static constexpr int first = 32;
  static constexpr int last = 126;
  struct Glyph {
    int atlasX = 0, width = 0, height = 0, left = 0, top = 0, advance = 0;
  };

  // x, y, u, v, then r, g, b, a of one corner.
  struct Corner {
    float x, y, u, v;
    float colour[4];
  };
  // Quads gathered so far are drawn when the array is full, so any amount of text fits.
  static constexpr std::size_t maxQuads = 2048;
  void quad(float left, float top, float right, float bottom, float u0, float v0, float u1, float v1) const;
  void flush() const;

  std::array<Glyph, last - first + 1> glyphs{};
  mutable std::vector<Corner> corners;
  mutable std::size_t used = 0;
  mutable float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  int atlasWidth = 0;
  int cellHeight = 0;
  int baseline = 0;
  unsigned int texture = 0;
  std::string errorMessage;
};
