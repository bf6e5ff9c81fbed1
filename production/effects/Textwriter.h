// Bitmap-font text in a grid of cells: letters are cut from one glyph row of the font atlas and
// laid out left to right, "|" starting a new line and the pen wrapping near the box's right edge.
// In typewriter (ghost writer) mode only a fraction of the text is written, followed by a
// blinking cursor. Draws in normalised device coordinates; the glyph tables are shared and built
// once, and writing allocates nothing.
// Depends on: Texture (the font, not owned), NdcMatrices, OpenGL.
#pragma once

#include <array>
#include <cstddef>
#include <string>

class Texture;

class Textwriter {
 public:
  static constexpr int glyphCount = 44;
  // Font atlas geometry in texture pixels: its width, and the widest glyph, which fills one cell.
  static constexpr int atlasWidth = 2048;
  static constexpr int cellPixels = 52;

  explicit Textwriter(Texture* font);

  // Glyph index of a character code, -1 for none (codes outside 0..127 included).
  static int glyphIndex(int code);
  // Width and left edge in font-texture pixels of glyph g (0 <= g < glyphCount).
  static int glyphWidth(int g);
  static int glyphOffset(int g);

  void setText(const std::string& value) { text = value; }
  // Room for texts up to length, so changing the text while playing does not allocate.
  void reserveText(std::size_t length) { text.reserve(length); }
  const std::string& getText() const { return text; }
  void setPosition(float x, float y);
  void setBoxSize(float width, float height);
  void setGridSize(int columns, int rows);
  void setColor(float r, float g, float b);
  // Kept for the script's sake; letters are always inset by a fixed share of the cell.
  void setLetterSpacing(float value) { letterSpacing = value; }
  float getLetterSpacing() const { return letterSpacing; }
  void setBorderSize(float value) { borderSize = value; }
  void setBlinkSpeed(unsigned milliseconds) { blinkPeriod = milliseconds; }
  void background(bool flag) { hasBackground = flag; }
  void ghostWriter(bool flag) { ghost = flag; }

  // Draws the box and the text; in typewriter mode the first fraction of the text and the cursor.
  void write(float fraction, unsigned time);
  void writeLetter(char c);
  void writeCursor(unsigned time);
  void writeGhost(float fraction, unsigned time);
  void writeAll();

  // Where the last write left the pen: the next cell's column and row, and the pen's x.
  int getColumn() const { return column; }
  int getRow() const { return row; }
  float getPenX() const { return pen[0]; }

 private:
  struct Cell {
    float width, height, insetX, insetY, top;
  };
  Cell cell() const;
  void drawBox() const;
  // Column advance, and the automatic line wrap once the pen is within a cell of the right edge.
  void advance();
  void newLine();

  Texture* font;
  std::string text;
  std::array<float, 2> position{{-1.0f, 0.9f}};
  std::array<float, 2> boxSize{{2.0f, 2.0f}};
  std::array<float, 3> color{{0.0f, 0.0f, 0.0f}};
  std::array<int, 2> gridSize{{20, 20}};
  float letterSpacing = 0.03f;
  float borderSize = 0.0f;
  bool hasBackground = true;
  std::array<float, 2> pen{{-1.0f, 0.9f}};
  int column = 0;
  int row = 0;
  bool ghost = false;
  unsigned blinkPeriod = 100;
};
