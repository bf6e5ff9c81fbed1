// OverlayFont: glyph atlas from FreeType and textured-quad text.
#include "tools/OverlayFont.h"

#include <GL/glew.h>

#include <algorithm>
#include <vector>

#include "resources/generators/textures/GlyphRasteriser.h"

OverlayFont::OverlayFont(int pixelSize) : corners(maxQuads * 4) {
  GlyphRasteriser rasteriser(TARNVELD_DEFAULT_FONT);
  std::vector<GlyphRasteriser::Glyph> rendered;
  int descent = 0;
  for (int c = first; c <= last && rasteriser.isValid(); ++c) {
    rendered.push_back(rasteriser.renderGlyph(static_cast<char>(c), pixelSize));
    const GlyphRasteriser::Glyph& g = rendered.back();
    Glyph& glyph = glyphs[c - first];
    glyph = {atlasWidth, g.mask.getWidth(), g.mask.getHeight(), g.left, g.top, g.advance};
    atlasWidth += glyph.width + 1;
    baseline = std::max(baseline, g.top);
    descent = std::max(descent, g.mask.getHeight() - g.top);
  }
  if (!rasteriser.isValid()) {
    errorMessage = rasteriser.getErrorMessage();
    return;
  }
  cellHeight = baseline + descent + 2;
  std::vector<unsigned char> atlas(static_cast<size_t>(atlasWidth) * cellHeight, 0);
  for (std::size_t i = 0; i < rendered.size(); ++i) {
    const AlphaMask& mask = rendered[i].mask;
    for (int y = 0; y < mask.getHeight(); ++y) {
      for (int x = 0; x < mask.getWidth(); ++x) {
        size_t at = static_cast<size_t>(y + baseline - glyphs[i].top) * atlasWidth + glyphs[i].atlasX + x;
        atlas[at] = static_cast<unsigned char>(mask.get(x, y) * 255.0f + 0.5f);
      }
    }
  }
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, atlasWidth, cellHeight, 0, GL_ALPHA, GL_UNSIGNED_BYTE, atlas.data());
  glBindTexture(GL_TEXTURE_2D, 0);
}

OverlayFont::~OverlayFont() {
  if (texture != 0) glDeleteTextures(1, &texture);
}

void OverlayFont::begin() const {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  setColour(1.0f, 1.0f, 1.0f, 1.0f);
  used = 0;
}

void OverlayFont::end() const {
  flush();
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_2D);
}

void OverlayFont::setColour(float r, float g, float b, float a) const {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
  colour[3] = a;
}

float OverlayFont::text(const char* line, float x, float y) const {
  const float w = static_cast<float>(atlasWidth);
  const float h = static_cast<float>(cellHeight);
  for (const char* c = line; *c != '\0'; ++c) {
    int code = static_cast<unsigned char>(*c);
    if (code < first || code > last) continue;
    const Glyph& g = glyphs[code - first];
    float left = x + static_cast<float>(g.left);
    float top = y + static_cast<float>(baseline - g.top);
    float v0 = static_cast<float>(baseline - g.top) / h;
    quad(left, top, left + static_cast<float>(g.width), top + static_cast<float>(g.height),
         static_cast<float>(g.atlasX) / w, v0, static_cast<float>(g.atlasX + g.width) / w,
         v0 + static_cast<float>(g.height) / h);
    x += static_cast<float>(g.advance);
  }
  return x;
}

void OverlayFont::quad(float left, float top, float right, float bottom, float u0, float v0, float u1,
                       float v1) const {
  if (used == corners.size()) flush();
  const float positions[4][4] = {{left, top, u0, v0}, {right, top, u1, v0}, {right, bottom, u1, v1}, {left, bottom, u0, v1}};
  for (const float* p : positions) {
    corners[used++] = {p[0], p[1], p[2], p[3], {colour[0], colour[1], colour[2], colour[3]}};
  }
}

void OverlayFont::flush() const {
  if (used == 0) return;
  // The arrays live in client memory: a buffer the demo left bound would turn them into offsets.
  GLint boundBuffer = 0;
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &boundBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, sizeof(Corner), &corners[0].x);
  glTexCoordPointer(2, GL_FLOAT, sizeof(Corner), &corners[0].u);
  glColorPointer(4, GL_FLOAT, sizeof(Corner), corners[0].colour);
  glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(used));
  glPopClientAttrib();
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(boundBuffer));
  used = 0;
}
