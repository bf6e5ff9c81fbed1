#include "resources/generators/textures/TextureSet.h"

#include "resources/generators/textures/BlurKernelTexture.h"
#include "resources/generators/textures/FontAtlasTexture.h"
#include "resources/generators/textures/LoadingBackgroundTexture.h"
#include "resources/generators/textures/LoadingOverlayTexture.h"
#include "resources/generators/textures/LogoTexture.h"
#include "resources/generators/textures/NoiseTexture.h"
#include "resources/generators/textures/OverlayTextTexture.h"
#include "resources/generators/textures/PngWriter.h"
#include "resources/generators/textures/ScanlinesTexture.h"
#include "resources/generators/textures/StripesTexture.h"

namespace {

LetteringStyle glowing(const Colour& fill, const Colour& glow, int glowRadius) {
  LetteringStyle style;
  style.fill = fill;
  style.glow = glow;
  style.glowRadius = glowRadius;
  return style;
}

std::unique_ptr<GeneratedTexture> titleCard() {
  const LetteringStyle big = glowing({1.0f, 1.0f, 1.0f, 1.0f}, {0.3f, 0.7f, 1.0f, 0.9f}, 10);
  const LetteringStyle small = glowing({0.75f, 0.85f, 1.0f, 1.0f}, {0.1f, 0.3f, 0.6f, 0.7f}, 4);
  return std::make_unique<OverlayTextTexture>(
      "overlay_title.png", std::vector<OverlayTextTexture::TextLine>{
                               {"tarnveld", 150, 290, big}, {"quenvar  demosystem", 34, 370, small}});
}

std::unique_ptr<GeneratedTexture> creditsCard() {
  const LetteringStyle line = glowing({1.0f, 1.0f, 1.0f, 1.0f}, {0.3f, 0.6f, 1.0f, 0.8f}, 5);
  return std::make_unique<OverlayTextTexture>(
      "overlay_credits.png",
      std::vector<OverlayTextTexture::TextLine>{{"code  quenvar", 56, 210, line},
                                                {"music  quenvar", 56, 290, line},
                                                {"a demosys production", 40, 380, line}});
}

}  // namespace

TextureSet::TextureSet() {
  pictures.push_back(std::make_unique<BlurKernelTexture>());
  pictures.push_back(std::make_unique<StripesTexture>());
  pictures.push_back(std::make_unique<NoiseTexture>());
  pictures.push_back(std::make_unique<LogoTexture>());
  pictures.push_back(std::make_unique<LoadingBackgroundTexture>());
  pictures.push_back(std::make_unique<LoadingOverlayTexture>());
  pictures.push_back(titleCard());
  pictures.push_back(creditsCard());
  pictures.push_back(std::make_unique<ScanlinesTexture>());
  pictures.push_back(std::make_unique<FontAtlasTexture>());
}

const GeneratedTexture* TextureSet::find(const std::string& fileName) const {
  for (const auto& picture : pictures) {
    if (picture->fileName() == fileName) return picture.get();
  }
  return nullptr;
}

bool TextureSet::writeAll(const std::string& dir, const std::string& fontPath, std::string& error) const {
  GlyphRasteriser font(fontPath);
  if (!font.isValid()) {
    error = font.getErrorMessage();
    return false;
  }
  for (const auto& picture : pictures) {
    const Canvas canvas = picture->render(font);
    if (!font.isValid()) {
      error = font.getErrorMessage();
      return false;
    }
    if (!PngWriter::write(canvas, dir + "/" + picture->fileName(), error)) return false;
  }
  return true;
}
