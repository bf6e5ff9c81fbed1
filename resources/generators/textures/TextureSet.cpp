#include "resources/generators/textures/TextureSet.h"

#include "resources/generators/textures/BannerTexture.h"
#include "resources/generators/textures/BlurKernelTexture.h"
#include "resources/generators/textures/CamoTexture.h"
#include "resources/generators/textures/CrowdSpriteTexture.h"
#include "resources/generators/textures/DroidFaceTexture.h"
#include "resources/generators/textures/FlagTexture.h"
#include "resources/generators/textures/FloorTexture.h"
#include "resources/generators/textures/FontAtlasTexture.h"
#include "resources/generators/textures/LedDisplayTexture.h"
#include "resources/generators/textures/LoadingBackgroundTexture.h"
#include "resources/generators/textures/LoadingOverlayTexture.h"
#include "resources/generators/textures/LogoTexture.h"
#include "resources/generators/textures/NoiseTexture.h"
#include "resources/generators/textures/OverlayFrame.h"
#include "resources/generators/textures/OverlayTextTexture.h"
#include "resources/generators/textures/PanelTexture.h"
#include "resources/generators/textures/ParticleTexture.h"
#include "resources/generators/textures/PngWriter.h"
#include "resources/generators/textures/ScanlinesTexture.h"
#include "resources/generators/textures/ScreenPictureTexture.h"
#include "resources/generators/textures/ShieldTexture.h"
#include "resources/generators/textures/SkyboxTexture.h"
#include "resources/generators/textures/StripesTexture.h"
#include "resources/generators/textures/TableTexture.h"
#include "resources/generators/textures/TreadTexture.h"

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
  addWorldPictures();
}

// The 3D world's pictures: the sky, the flags, the crowd, the screens and the materials' maps.
void TextureSet::addWorldPictures() {
  for (int face = 0; face < SkyboxTexture::faceCount; ++face) {
    pictures.push_back(std::make_unique<SkyboxTexture>(static_cast<SkyboxTexture::Face>(face)));
  }
  pictures.push_back(std::make_unique<FlagTexture>("flag.png", 512, 512, 512));
  pictures.push_back(std::make_unique<FlagTexture>("qnvlogo.png", OverlayFrame::textureSize,
                                                   OverlayFrame::shownWidth, OverlayFrame::shownHeight));
  pictures.push_back(std::make_unique<CrowdSpriteTexture>());
  pictures.push_back(std::make_unique<PanelTexture>("robot.png", Colour{0.45f, 0.55f, 0.7f, 1.0f}, 64, true));
  pictures.push_back(std::make_unique<PanelTexture>("hull.png", Colour{0.72f, 0.74f, 0.76f, 1.0f}, 32, false));
  pictures.push_back(std::make_unique<TableTexture>());
  pictures.push_back(std::make_unique<ParticleTexture>());
  pictures.push_back(std::make_unique<DroidFaceTexture>());
  pictures.push_back(std::make_unique<LedDisplayTexture>());
  pictures.push_back(std::make_unique<ScreenPictureTexture>("hoverscreen.png", "TARNVELD", Colour{0.3f, 0.7f, 1.0f, 1.0f}));
  pictures.push_back(std::make_unique<ScreenPictureTexture>("screen.png", "QUENVAR", Colour{1.0f, 0.35f, 0.25f, 1.0f}));
  pictures.push_back(std::make_unique<FloorTexture>());
  pictures.push_back(std::make_unique<BannerTexture>());
  pictures.push_back(std::make_unique<CamoTexture>());
  pictures.push_back(std::make_unique<TreadTexture>());
  pictures.push_back(std::make_unique<ShieldTexture>());
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
