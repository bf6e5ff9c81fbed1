// What the launcher lists and shows: aspect labels by ratio, the modes offered when the display
// lists none, and the embedded picture (240 x 240, 119 colours, as XPM).
#include <gtest/gtest.h>

#include <set>

#include "production/QNVGui.h"
#include "resources/generators/textures/LauncherLogo.h"

namespace {

TEST(LauncherModes, FallbackFitsTheDesktopLargestFirst) {
  const std::vector<QNVGui::Mode> modes = QNVGui::fallbackModes(1680, 1050);
  ASSERT_FALSE(modes.empty());
  EXPECT_EQ(modes.front().width, 1680);
  EXPECT_EQ(modes.back().width, 640);
  for (size_t i = 0; i < modes.size(); ++i) {
    EXPECT_LE(modes[i].width, 1680);
    EXPECT_LE(modes[i].height, 1050);
    EXPECT_NE(QNVGui::aspectLabel(modes[i].width, modes[i].height), "(5:4)");
    if (i > 0) {
      EXPECT_GE(modes[i - 1].width * modes[i - 1].height, modes[i].width * modes[i].height);
    }
  }
  EXPECT_TRUE(QNVGui::fallbackModes(600, 400).empty());
}

TEST(LauncherLogo, IndexedPictureOf119ColoursAsXpm) {
  GlyphRasteriser font(TARNVELD_DEFAULT_FONT);
  ASSERT_TRUE(font.isValid()) << font.getErrorMessage();
  const LauncherLogo::Indexed picture = LauncherLogo::render(font);
  ASSERT_EQ(picture.pixels.size(), 240u * 240u);
  EXPECT_EQ(picture.palette.size(), 119u);
  EXPECT_EQ(std::set<int>(picture.pixels.begin(), picture.pixels.end()).size(), 119u) << "every colour is used";
  EXPECT_EQ(std::set<unsigned>(picture.palette.begin(), picture.palette.end()).size(), 119u);
  const std::string xpm = LauncherLogo::toXpmHeader(picture, "logo");
  EXPECT_NE(xpm.find("static const char* const logo[] = {\n\"240 240 119 2\",\n"), std::string::npos);
  EXPECT_EQ(xpm, LauncherLogo::toXpmHeader(LauncherLogo::render(font), "logo")) << "deterministic";
}

}  // namespace
