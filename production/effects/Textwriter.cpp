// Textwriter: glyph tables, cell layout and drawing.
#include "production/effects/Textwriter.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Texture.h"

namespace {

// Top and bottom of the glyph row in texture coordinates.
constexpr float glyphTop = 1.0f;
constexpr float glyphBottom = 0.375f;
// Letters and the cursor stop this far above the cell's bottom inset, leaving room between lines.
constexpr float lineGap = 0.02f;
// Share of a cell left free on each side of a letter.
constexpr float insetShare = 0.03f;

struct GlyphTables {
  std::array<int, 128> map;
  std::array<int, Textwriter::glyphCount> widths;
  std::array<int, Textwriter::glyphCount> offsets;

  GlyphTables() {
    map.fill(-1);
    for (int c = 'a'; c <= 'z'; ++c) map[c] = c - 'a';
    for (int c = '0'; c <= '9'; ++c) map[c] = 26 + c - '0';
    const char punctuation[] = ".,!?+-: ";
    for (int i = 0; punctuation[i] != '\0'; ++i) map[static_cast<unsigned char>(punctuation[i])] = 36 + i;
    // Line ends and "{" show as a "2".
    map[10] = map[13] = map['{'] = map['2'];

    widths.fill(40);
    const struct {
      char c;
      int width;
    } narrowAndWide[] = {{'i', 17}, {'j', 28}, {'m', 52}, {'w', 52}, {'1', 28}, {'.', 6},
                         {',', 6},  {'!', 17}, {'+', 18}, {'-', 17}, {':', 6},  {' ', 28}};
    for (const auto& glyph : narrowAndWide) widths[map[static_cast<unsigned char>(glyph.c)]] = glyph.width;

    // One empty texture column separates neighbouring glyphs.
    offsets[0] = 0;
    for (int g = 1; g < Textwriter::glyphCount; ++g) offsets[g] = offsets[g - 1] + widths[g - 1] + 1;
  }
};

const GlyphTables& glyphs() {
  static const GlyphTables tables;
  return tables;
}

void rectangle(GLenum mode, float left, float top, float right, float bottom) {
  glBegin(mode);
  glVertex2f(left, top);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glEnd();
}

}  // namespace

Textwriter::Textwriter(Texture* font) : font(font) {}

int Textwriter::glyphIndex(int code) { return code >= 0 && code < 128 ? glyphs().map[code] : -1; }

int Textwriter::glyphWidth(int g) { return glyphs().widths[g]; }

int Textwriter::glyphOffset(int g) { return glyphs().offsets[g]; }

void Textwriter::setPosition(float x, float y) {
  position = {{x, y}};
  pen = position;
}

void Textwriter::setBoxSize(float width, float height) { boxSize = {{width, height}}; }

void Textwriter::setGridSize(int columns, int rows) { gridSize = {{columns, rows}}; }

void Textwriter::setColor(float r, float g, float b) { color = {{r, g, b}}; }

Textwriter::Cell Textwriter::cell() const {
  Cell c;
  c.width = boxSize[0] / gridSize[0];
  c.height = boxSize[1] / gridSize[1];
  c.insetX = insetShare * c.width;
  c.insetY = insetShare * c.height;
  c.top = position[1] - c.height * row;
  return c;
}

void Textwriter::write(float fraction, unsigned time) {
  column = 0;
  row = 0;
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  // The box and the cursor are plain colour, whatever texture an earlier effect left enabled.
  glDisable(GL_TEXTURE_2D);
  NdcMatrices::push();
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (hasBackground) drawBox();
  if (ghost)
    writeGhost(fraction, time);
  else
    writeAll();
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_COLOR_MATERIAL);
  NdcMatrices::pop();
}

void Textwriter::drawBox() const {
  float left = position[0] - borderSize;
  float top = position[1] + borderSize;
  float right = position[0] + boxSize[0] + borderSize;
  float bottom = position[1] - boxSize[1] - borderSize;
  glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
  rectangle(GL_QUADS, left, top, right, bottom);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  rectangle(GL_LINE_LOOP, left, top, right, bottom);
}

void Textwriter::writeAll() {
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  pen[0] = position[0];
  long long cells = std::max(0LL, static_cast<long long>(gridSize[0]) * gridSize[1]);
  std::size_t count = std::min(text.size(), static_cast<std::size_t>(cells));
  for (std::size_t i = 0; i < count; ++i) writeLetter(text[i]);
}

void Textwriter::writeGhost(float fraction, unsigned time) {
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  pen[0] = position[0];
  float shown = fraction > 0.0f ? std::min(fraction, 1.0f) : 0.0f;  // NaN shows nothing
  std::size_t count = static_cast<std::size_t>(text.size() * shown);
  for (std::size_t i = 0; i < count; ++i) writeLetter(text[i]);
  writeCursor(time);
}

void Textwriter::writeLetter(char c) {
  if (c == '|') {
    newLine();
    return;
  }
  int g = glyphIndex(static_cast<unsigned char>(c));
  if (g < 0) return;
  Cell k = cell();
  float width = static_cast<float>(glyphWidth(g)) / cellPixels * k.width;
  float s0 = static_cast<float>(glyphOffset(g)) / atlasWidth;
  float s1 = static_cast<float>(glyphOffset(g) + glyphWidth(g)) / atlasWidth;
  float left = pen[0] + k.insetX;
  float right = pen[0] - k.insetX + width;
  float top = k.top - k.insetY;
  float bottom = k.top - k.height + k.insetY + lineGap;

  glColor3f(color[0], color[1], color[2]);
  font->setTextureWrap(GL_CLAMP_TO_BORDER);
  font->bind();
  glBegin(GL_QUADS);
  glTexCoord2f(s0, glyphTop);
  glVertex2f(left, top);
  glTexCoord2f(s0, glyphBottom);
  glVertex2f(left, bottom);
  glTexCoord2f(s1, glyphBottom);
  glVertex2f(right, bottom);
  glTexCoord2f(s1, glyphTop);
  glVertex2f(right, top);
  glEnd();
  font->release();

  pen[0] += width;
  advance();
}

// A zero period would divide by zero: such a cursor simply stays on.
void Textwriter::writeCursor(unsigned time) {
  if (blinkPeriod == 0 || time % blinkPeriod >= blinkPeriod / 2) {
    Cell k = cell();
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    rectangle(GL_QUADS, pen[0] + k.insetX, k.top - k.insetY, pen[0] - k.insetX + k.width,
              k.top - k.height + k.insetY + lineGap);
  }
  advance();
}

void Textwriter::advance() {
  ++column;
  if (std::fabs(pen[0] - position[0]) >= boxSize[0] - cell().width) newLine();
}

void Textwriter::newLine() {
  column = 0;
  pen[0] = position[0];
  ++row;
}
