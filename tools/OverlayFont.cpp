// OverlayFont: glyph atlas from FreeType and textured-quad text.
#include "tools/OverlayFont.h"

#include <GL/glew.h>

#include <algorithm>
#include <vector>

#include "resources/generators/textures/GlyphRasteriser.h"

OverlayFont::OverlayFont(int pixelSize) {
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
  glBegin(GL_QUADS);
}

void OverlayFont::end() const {
  glEnd();
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_2D);
}

float OverlayFont::text(const char* line, float x, float y) const {
  const float w = static_cast<float>(atlasWidth);
  for (const char* c = line; *c != '\0'; ++c) {
    int code = static_cast<unsigned char>(*c);
    if (code < first || code > last) continue;
    const Glyph& g = glyphs[code - first];
    float left = x + static_cast<float>(g.left);
    float top = y + static_cast<float>(baseline - g.top);
    float u0 = static_cast<float>(g.atlasX) / w;
    float u1 = static_cast<float>(g.atlasX + g.width) / w;
    float v1 = static_cast<float>(g.height) / static_cast<float>(cellHeight);
    float v0 = static_cast<float>(baseline - g.top) / static_cast<float>(cellHeight);
    v1 += v0;
    glTexCoord2f(u0, v0);
    glVertex2f(left, top);
    glTexCoord2f(u1, v0);
    glVertex2f(left + static_cast<float>(g.width), top);
    glTexCoord2f(u1, v1);
    glVertex2f(left + static_cast<float>(g.width), top + static_cast<float>(g.height));
    glTexCoord2f(u0, v1);
    glVertex2f(left, top + static_cast<float>(g.height));
    x += static_cast<float>(g.advance);
  }
  return x;
}
