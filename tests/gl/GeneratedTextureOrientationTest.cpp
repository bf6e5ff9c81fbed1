// The generated font atlas and title overlay loaded through the engine's texture loader and
// drawn with the texture coordinates their effects use: the text writer's glyph quads (t from
// 0.375 to 1) show the glyphs, the overlay quad (s to 0.9375, t from 0.4727) shows the title card,
// each texel where the picture has it, not mirrored or shifted.
#include <GL/glew.h>

#include <cmath>
#include <memory>
#include <vector>

#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"
#include "resources/generators/textures/FontAtlasLayout.h"
#include "resources/generators/textures/OverlayFrame.h"
#include "resources/generators/textures/PngWriter.h"
#include "resources/generators/textures/TextureSet.h"
#include "tests/gl/GLTestFixture.h"

namespace {

struct TexRect {
  float s0, s1, t0, t1;
};

struct Comparison {
  int compared = 0;
  int mismatches = 0;
  int inked = 0;  // compared pixels where the picture has ink
};

class GeneratedTextureOrientation : public GLTestFixture {
 protected:
  // Renders the picture, writes it and loads it back as the texture pool would.
  std::unique_ptr<Texture> load(const std::string& name, Canvas& canvas) {
    static GlyphRasteriser font(TARNVELD_DEFAULT_FONT);
    EXPECT_TRUE(font.isValid()) << font.getErrorMessage();
    canvas = TextureSet().find(name)->render(font);
    std::string error;
    EXPECT_TRUE(PngWriter::write(canvas, dir.file(name), error)) << error;
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    std::unique_ptr<Texture> texture(QNVIO::loadTexture(dir.file(name), GL_TEXTURE_2D, false));
    if (texture) texture->setInterpolation(GL_NEAREST);
    return texture;
  }

  // Draws the texture's rectangle over the whole window, blended over black as the effects blend it.
  static void drawBlended(Texture& texture, const TexRect& r) {
    clearScreen();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    texture.bind();
    glBegin(GL_QUADS);
    glTexCoord2f(r.s0, r.t1);
    glVertex2f(-1, 1);
    glTexCoord2f(r.s1, r.t1);
    glVertex2f(1, 1);
    glTexCoord2f(r.s1, r.t0);
    glVertex2f(1, -1);
    glTexCoord2f(r.s0, r.t0);
    glVertex2f(-1, -1);
    glEnd();
    texture.release();
    glDisable(GL_BLEND);
  }

  // Every window pixel against the texel the rectangle maps it to, read from the picture with row 0
  // at t = 1. Pixels whose sample point lies on a texel boundary are left out.
  static Comparison compare(const Canvas& canvas, const TexRect& r) {
    std::vector<unsigned char> window(windowWidth * windowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGBA, GL_UNSIGNED_BYTE, window.data());
    Comparison result;
    for (int y = 0; y < windowHeight; ++y) {
      for (int x = 0; x < windowWidth; ++x) {
        const float s = r.s0 + (r.s1 - r.s0) * (x + 0.5f) / windowWidth;
        const float t = r.t0 + (r.t1 - r.t0) * (y + 0.5f) / windowHeight;
        const float tx = s * canvas.getWidth(), ty = (1.0f - t) * canvas.getHeight();
        if (nearBoundary(tx) || nearBoundary(ty)) continue;
        const int px = static_cast<int>(tx), py = static_cast<int>(ty);
        const float a = canvas.channel8(px, py, 3) / 255.0f;
        const unsigned char* got = &window[(y * windowWidth + x) * 4];
        bool same = true;
        for (int c = 0; c < 3; ++c) same = same && std::abs(got[c] - canvas.channel8(px, py, c) * a) <= 3.0f;
        ++result.compared;
        result.mismatches += !same;
        result.inked += a > 0.5f;
      }
    }
    return result;
  }

  static bool nearBoundary(float texel) { return std::abs(texel - std::round(texel)) < 0.05f; }

  TempDir dir;
};

TEST_F(GeneratedTextureOrientation, GlyphQuadsShowTheirGlyphs) {
  Canvas atlas(0, 0);
  std::unique_ptr<Texture> font = load("font.png", atlas);
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(font->getWidth(), FontAtlasLayout::atlasWidth);
  for (char c : std::string("agmw0?")) {
    SCOPED_TRACE(std::string("glyph '") + c + "'");
    const int g = static_cast<int>(FontAtlasLayout::glyphOrder().find(c));
    const float s0 = FontAtlasLayout::offset(g) / 2048.0f;
    const float s1 = (FontAtlasLayout::offset(g) + FontAtlasLayout::width(g)) / 2048.0f;
    const TexRect glyphRow{s0, s1, FontAtlasLayout::rowBottomT, 1.0f};
    drawBlended(*font, glyphRow);
    const Comparison result = compare(atlas, glyphRow);
    EXPECT_GT(result.compared, windowWidth * windowHeight / 2);
    EXPECT_EQ(result.mismatches, 0);
    EXPECT_GT(result.inked, result.compared / 20) << "the glyph is drawn, not an empty cell";
  }
}

TEST_F(GeneratedTextureOrientation, OverlayQuadShowsTheTitleCard) {
  Canvas card(0, 0);
  std::unique_ptr<Texture> title = load("overlay_title.png", card);
  ASSERT_NE(title, nullptr);
  const TexRect shown{0.0f, OverlayFrame::shownS, OverlayFrame::shownT, 1.0f};
  drawBlended(*title, shown);
  const Comparison result = compare(card, shown);
  EXPECT_GT(result.compared, windowWidth * windowHeight / 2);
  EXPECT_EQ(result.mismatches, 0);
  EXPECT_GT(result.inked, 500) << "the title's letters are on screen";
}

}  // namespace
