// The frame loop's pieces in the GL test window: Escape and resize events, the viewport of the
// next frame after a resize, and the plain progress bar's ticks and picture.
#include <GL/glew.h>
#include <SDL/SDL.h>

#include <memory>

#include "demosys/core/Demo.h"
#include "demosys/core/ProgressBar.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/resources/ResourceLoader.h"
#include "demosys/timeline/TrackSystem.h"
#include "tests/gl/GLTestFixture.h"

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

}  // namespace
