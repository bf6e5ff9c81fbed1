// The development overlay's own font: the printable ASCII characters of the font the build
// letters the production with, rasterised once at start-up into one alpha texture, and drawn as
// textured quads in window pixels (origin top left). Independent of the demo's content, so it
// survives every rebuild of the demo under the same window. Drawing allocates nothing.
// Depends on: GlyphRasteriser (FreeType), OpenGL.
#pragma once

#include <array>
#include <string>

class OverlayFont {
 public:
  explicit OverlayFont(int pixelSize = 14);
  ~OverlayFont();
  OverlayFont(const OverlayFont&) = delete;
  OverlayFont& operator=(const OverlayFont&) = delete;

  bool isValid() const { return texture != 0; }
  const std::string& getErrorMessage() const { return errorMessage; }
  int lineHeight() const { return cellHeight; }

  // Sets the texture state the quads need; text() calls go between begin() and end().
  void begin() const;
  void end() const;
  // One line with its top left corner at (x, y); characters it lacks are skipped. Returns the
  // pen's x after the text.
  float text(const char* line, float x, float y) const;

 private:
  static constexpr int first = 32;
  static constexpr int last = 126;
  struct Glyph {
    int atlasX = 0, width = 0, height = 0, left = 0, top = 0, advance = 0;
  };

  std::array<Glyph, last - first + 1> glyphs{};
  int atlasWidth = 0;
  int cellHeight = 0;
  int baseline = 0;
  unsigned int texture = 0;
  std::string errorMessage;
};
