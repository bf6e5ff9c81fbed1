// The frame loop's pieces in the GL test window (Escape and resize events, the viewport after a
// resize) and the loading displays: the plain progress bar and Tarnveld's.
#include <GL/glew.h>
#include <SDL/SDL.h>

#include <memory>
#include <vector>

#include "demosys/core/Demo.h"
#include "demosys/core/ProgressBar.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/resources/ResourceLoader.h"
#include "demosys/timeline/TrackSystem.h"
#include "production/TarnveldProgressBar.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/TempTree.h"

namespace {

class DemoLoop : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    char program[] = "test";
    char* argv[] = {program, nullptr};
    demo = std::make_unique<Demo>(1, argv);
    QNVDemosys::tracks = new TrackSystem();
    QNVDemosys::setQuit(false);
  }
  void TearDown() override {
    testing::internal::CaptureStdout();
    demo->getLoader()->dispose();
    testing::internal::GetCapturedStdout();
    QNVDemosys::setQuit(false);
    QNVDemosys::screenMetrics = &metrics();
    metrics().resize(windowWidth, windowHeight);
    GLTestFixture::TearDown();
  }
  static void push(const SDL_Event& event) { ASSERT_EQ(SDL_PushEvent(const_cast<SDL_Event*>(&event)), 0); }
  std::unique_ptr<Demo> demo;
};

TEST_F(DemoLoop, EscapeEndsTheRunOtherKeysDoNot) {
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_SPACE;
  push(key);
  demo->keyEvents();
  EXPECT_FALSE(QNVDemosys::checkQuit());
  key.key.keysym.sym = SDLK_ESCAPE;
  key.type = SDL_KEYUP;
  push(key);
  demo->keyEvents();
  EXPECT_FALSE(QNVDemosys::checkQuit()) << "a release is not a press";
  key.type = SDL_KEYDOWN;
  push(key);
  demo->keyEvents();
  EXPECT_TRUE(QNVDemosys::checkQuit());
}

TEST_F(DemoLoop, ResizePrintsItsLineAndTheNextFrameUsesTheNewBand) {
  SDL_Event resize{};
  resize.type = SDL_VIDEORESIZE;
  resize.resize.w = 320;
  resize.resize.h = 240;
  push(resize);
  testing::internal::CaptureStdout();
  demo->renderFrame(0, 0, 0);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Screen resize (320,240)\n"), std::string::npos) << out;
  EXPECT_EQ(metrics().viewportY, 30);
  EXPECT_EQ(metrics().viewportHeight, 180);
  demo->renderFrame(0, 0, 0);
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 30);
  EXPECT_EQ(viewport[2], 319);
  EXPECT_EQ(viewport[3], 180);
}

// Ticks past the total are ignored and the bar never shows full; at half progress a bar across the
// middle of the window is white on the left half, black inside on the right, nothing above it
// (drawn twice so that both buffers hold the picture).
TEST_F(DemoLoop, PlainProgressBarFillsTheProgressShown) {
  ProgressBar counted(4);
  for (float expected : {0.0f, 0.25f, 0.5f, 0.75f, 0.75f}) {
    counted.tick();
    EXPECT_EQ(counted.getProgress(), expected);
  }
  EXPECT_EQ(counted.getResourceCount(), 0);
  ProgressBar bar(0.5f, 1.8f, 0.0f, 2);
  bar.tick();
  bar.tick();
  bar.draw();
  const Rgba filled = readWindow(windowWidth / 4, windowHeight / 2);
  const Rgba inside = readWindow(windowWidth * 3 / 4, windowHeight / 2);
  const Rgba above = readWindow(windowWidth / 4, windowHeight - 20);
  EXPECT_TRUE(near(filled, {255, 255, 255, 255})) << filled;
  EXPECT_TRUE(near({inside.r, inside.g, inside.b, 0}, {0, 0, 0, 0})) << inside;
  EXPECT_TRUE(near({above.r, above.g, above.b, 0}, {0, 0, 0, 0})) << above;
}

const Rgba blue = {0, 0, 255, 255};
const Rgba red = {255, 0, 0, 255};

// Copy i of the overlay starts 0.258 x i device units right of the left edge; the overlay
// picture is opaque red in its left tenth only, which the quad's texture range (0 to 0.9375)
// stretches over 0.2133 device units.
int copyCentreX(int i) {
  const float unit = GLTestFixture::windowWidth / 2.0f;
  return static_cast<int>((0.258f * i + 0.1067f) * unit);
}

int gapX(int i) { return static_cast<int>((0.258f * i + 0.236f) * GLTestFixture::windowWidth / 2.0f); }

class TarnveldProgressBarTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    ASSERT_TRUE(tree.ok());
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    tree.enter();
  }

  void writePictures() {
    const int size = 64;
    std::vector<uint8_t> background;
    std::vector<uint8_t> overlay;
    for (int p = 0; p < size * size; ++p) {
      background.insert(background.end(), {0, 0, 255, 255});
      bool leftTenth = p % size < size / 10;
      overlay.insert(overlay.end(), {255, 0, 0, static_cast<uint8_t>(leftTenth ? 255 : 0)});
    }
    ASSERT_TRUE(writePNG(tree.path("resources/graphics/Loading1.png"), size, size, 4, background));
    ASSERT_TRUE(writePNG(tree.path("resources/graphics/Loading2.png"), size, size, 4, overlay));
  }

  // Draws again so that both buffers hold the picture, and counts the red copies.
  int copiesShown(TarnveldProgressBar& bar) {
    bar.draw();
    int shown = 0;
    for (int i = 0; i < TarnveldProgressBar::STEPS; ++i) {
      Rgba c = readWindow(copyCentreX(i), windowHeight / 2);
      EXPECT_TRUE(near(c, red) || near(c, blue)) << "copy " << i << ": " << c;
      shown += near(c, red);
      EXPECT_TRUE(near(readWindow(gapX(i), windowHeight / 2), blue)) << "between copies " << i;
    }
    return shown;
  }

  TempTree tree;
};

// One copy per seventh of the total, read back at each copy's place; the pictures are listed for
// the packing script and both textures are freed with the display.
TEST_F(TarnveldProgressBarTest, OverlayAdvancesInSevenStepsOfAnyTotalAndFreesItsTextures) {
  std::filesystem::create_directories(tree.path("resources/graphics"));
  writePictures();
  auto* bar = new TarnveldProgressBar(14);
  bar->loadData();
  ASSERT_TRUE(bar->getBackground() != nullptr && bar->getOverlay() != nullptr);
  ASSERT_EQ(bar->getResourceCount(), 2);
  EXPECT_EQ(bar->getResource(0), "resources/graphics/Loading1.png");
  EXPECT_EQ(bar->getResource(1), "resources/graphics/Loading2.png");
  EXPECT_EQ(copiesShown(*bar), 0) << "only the loading picture before the first tick";
  for (int tick = 1; tick <= 14; ++tick) {
    bar->tick();
    EXPECT_EQ(copiesShown(*bar), (tick + 1) / 2) << "tick " << tick;
  }
  const GLuint textures[] = {bar->getBackground()->getID(), bar->getOverlay()->getID()};
  delete static_cast<ProgressBar*>(bar);
  EXPECT_FALSE(glIsTexture(textures[0]) || glIsTexture(textures[1]));

  TarnveldProgressBar ten(10);
  std::vector<int> copies = {ten.overlayCopies()};
  for (int tick = 0; tick < 10; ++tick) {
    ten.tick();
    copies.push_back(ten.overlayCopies());
  }
  EXPECT_EQ(copies, (std::vector<int>{0, 1, 2, 3, 3, 4, 5, 5, 6, 7, 7}));
  EXPECT_EQ(TarnveldProgressBar(0).overlayCopies(), 0) << "a total of 0 never ticks";
}

TEST_F(TarnveldProgressBarTest, MissingPicturesLeaveABlackScreenSilently) {
  TarnveldProgressBar bar(7);
  testing::internal::CaptureStdout();
  bar.loadData();
  bar.tick();
  bar.tick();
  bar.draw();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(bar.getBackground(), nullptr);
  EXPECT_EQ(bar.getOverlay(), nullptr);
  EXPECT_EQ(bar.getResourceCount(), 2) << "still listed, so that packing notices they are missing";
  for (int i = 0; i < TarnveldProgressBar::STEPS; ++i) {
    Rgba c = readWindow(copyCentreX(i), windowHeight / 2);
    EXPECT_TRUE(near({c.r, c.g, c.b, 0}, {0, 0, 0, 0})) << c;
  }
}

}  // namespace
