// Render targets: nesting with viewports, stack diagnostics, clearing, drawing back to the window,
// and what actually reaches the screen.
#include <GL/glew.h>

#include <memory>

#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Texture.h"
#include "tests/gl/GLTestFixture.h"

namespace {

class FrameBufferObjectTest : public GLTestFixture {
 protected:
  static void clearTo(float r, float g, float b) {
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  static std::vector<GLint> viewport() {
    std::vector<GLint> v(4);
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
  }
  static GLint boundFramebuffer() {
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
    return bound;
  }
  static std::vector<GLint> windowViewport() {
    const ScreenMetrics& m = metrics();
    return {m.viewportX, m.viewportY, m.viewportWidth, m.viewportHeight};
  }
};

const Rgba red{255, 0, 0, 255};
const Rgba green{0, 255, 0, 255};
const Rgba blue{0, 0, 255, 255};

TEST_F(FrameBufferObjectTest, CreatesCompleteTargetsAndDescribesThem) {
  FrameBufferObject withDepth(512, 256, true, false);
  EXPECT_TRUE(withDepth.isValid());
  EXPECT_EQ(withDepth.getStatusMessage(), "Framebuffer is complete.");
  EXPECT_EQ(withDepth.toString(), "FrameBufferObject(512,256,COLOR_BUFFER,DEPTH_BUFFER)");
  ASSERT_NE(withDepth.getColorBuffer(), nullptr);
  EXPECT_EQ(withDepth.getColorBuffer()->getWidth(), 512);

  FrameBufferObject plain(64, 32, false, true);
  EXPECT_TRUE(plain.isValid());
  EXPECT_EQ(plain.toString(), "FrameBufferObject(64,32,COLOR_BUFFER,STENCIL_BUFFER)");
  EXPECT_EQ(boundFramebuffer(), 0) << "construction leaves the window bound";
}

TEST_F(FrameBufferObjectTest, NestedBindsDrawIntoTheInnermostTargetWithItsViewport) {
  FrameBufferObject a(64, 32, true, false);
  FrameBufferObject b(16, 8, false, false);
  clearTo(0, 0, 1);

  a.bind();
  EXPECT_EQ(viewport(), (std::vector<GLint>{0, 0, 64, 32}));
  clearTo(1, 0, 0);
  b.bind();
  EXPECT_EQ(viewport(), (std::vector<GLint>{0, 0, 16, 8}));
  EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(b.getId()));
  clearTo(0, 1, 0);
  b.release();
  EXPECT_EQ(viewport(), (std::vector<GLint>{0, 0, 64, 32}));
  EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(a.getId()));
  EXPECT_EQ(FrameBufferObject::fboStack.size(), 1u);
  a.release();
  EXPECT_EQ(viewport(), windowViewport());
  EXPECT_EQ(boundFramebuffer(), 0);
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());

  EXPECT_PRED3(near, readFBO(a, 63, 31), red, 0);
  EXPECT_PRED3(near, readFBO(b, 0, 0), green, 0);
  EXPECT_PRED3(near, readWindow(10, 10), blue, 0);
}

TEST_F(FrameBufferObjectTest, UnbalancedReleasesAreReportedAndLeaveTheStackAlone) {
  FrameBufferObject a(16, 16, false, false);
  FrameBufferObject b(32, 16, true, false);

  testing::internal::CaptureStdout();
  a.release();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "FBO : *** STACK ERROR : Stack is already empty. Possible underflow ***\n");

  a.bind();
  b.bind();
  testing::internal::CaptureStdout();
  a.release();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "FBO : *** STACK ERROR : FrameBufferObject(32,16,COLOR_BUFFER,DEPTH_BUFFER) is not "
            "FrameBufferObject(16,16,COLOR_BUFFER) ***\n");
  ASSERT_EQ(FrameBufferObject::fboStack.size(), 2u);
  EXPECT_EQ(FrameBufferObject::fboStack.back(), &b);
  EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(b.getId()));
  b.release();
  a.release();
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
}

TEST_F(FrameBufferObjectTest, SeventeenthNestedBindIsReportedButStillBinds) {
  std::vector<std::unique_ptr<FrameBufferObject>> targets;
  for (int i = 0; i < 17; ++i) targets.push_back(std::make_unique<FrameBufferObject>(8, 8, false, false));
  testing::internal::CaptureStdout();
  for (int i = 0; i < 16; ++i) targets[i]->bind();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  testing::internal::CaptureStdout();
  targets[16]->bind();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FBO: Overflow? 17 in stack\n");
  EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(targets[16]->getId()));
  for (int i = 16; i >= 0; --i) targets[i]->release();
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
}

TEST_F(FrameBufferObjectTest, ClearResetsTheFlagAndTheBuffersTheTargetHas) {
  FrameBufferObject target(16, 16, true, false);
  target.bind();
  clearTo(1, 1, 1);
  glClearColor(0, 0, 1, 1);
  target.setClearFlag(true);
  target.clearColorBuffer();
  EXPECT_TRUE(target.hasClearFlag());
  EXPECT_PRED3(near, readBound(5, 5), blue, 0);

  glClearColor(1, 0, 0, 1);
  target.clear();
  EXPECT_FALSE(target.hasClearFlag());
  EXPECT_PRED3(near, readBound(5, 5), red, 0);

  // Depth is cleared too: a quad at depth 0.5 passes a cleared (far) depth buffer.
  glClearDepth(0.0);
  target.clearRenderBuffer();
  glClearDepth(1.0);
  target.clear();
  glEnable(GL_DEPTH_TEST);
  glColor3f(0, 1, 0);
  glRectf(-1, -1, 1, 1);
  glDisable(GL_DEPTH_TEST);
  EXPECT_PRED3(near, readBound(5, 5), green, 0);
  target.release();
}

TEST_F(FrameBufferObjectTest, DebugTracesBindReleaseAndClear) {
  FrameBufferObject target(16, 16, false, false);
  target.setDebug(true);
  std::string id = std::to_string(target.getId());
  testing::internal::CaptureStdout();
  target.bind();
  target.clear();
  target.release();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "FBO Bind " + id + " - 0\n" + " Binding : (" + id + ") FrameBufferObject(16,16,COLOR_BUFFER)\n" +
                "FrameBufferObject::clear()\nFrameBufferObject::clearColorBuffer()\nStack is empty, ok!\n");
}

TEST_F(FrameBufferObjectTest, DrawPutsTheColourBufferOnAQuadOfTheGivenSize) {
  FrameBufferObject target(32, 32, false, false);
  target.bind();
  clearTo(1, 0, 0);
  glColor3f(0, 1, 0);
  glRectf(-1, 0, 1, 1);  // upper half green
  target.release();

  glViewport(0, 0, windowWidth, windowHeight);
  clearTo(0, 0, 1);
  glMatrixMode(GL_TEXTURE);
  target.draw(0.5f);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_TEXTURE) << "the caller's matrix mode is restored";
  glMatrixMode(GL_MODELVIEW);
  EXPECT_PRED3(near, readWindow(windowWidth / 2, windowHeight / 2 + 20), green, 0);
  EXPECT_PRED3(near, readWindow(windowWidth / 2, windowHeight / 2 - 20), red, 0);
  EXPECT_PRED3(near, readWindow(10, 10), blue, 0);

  target.draw();
  EXPECT_PRED3(near, readWindow(10, 10), red, 0);
  EXPECT_PRED3(near, readWindow(10, windowHeight - 10), green, 0);
}

TEST_F(FrameBufferObjectTest, IncompleteTargetIsReportedAndNeverBound) {
  testing::internal::CaptureStdout();
  FrameBufferObject broken(0, 0, false, false);
  std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_FALSE(broken.isValid());
  EXPECT_EQ(printed.rfind("FBO " + broken.getStatusMessage() + "(", 0), 0u) << printed;
  EXPECT_NE(printed.find(") = false\n"), std::string::npos) << printed;

  broken.bind();
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
  EXPECT_EQ(boundFramebuffer(), 0);
  clearTo(0, 0, 1);
  broken.draw();
  EXPECT_PRED3(near, readWindow(10, 10), blue, 0);
}

// What a viewer sees: after a target was bound and released, drawing to the window must reach the
// X screen, not a framebuffer of the SDL layer that nobody shows.
TEST_F(FrameBufferObjectTest, WindowDrawingAfterReleaseReachesTheScreen) {
  FrameBufferObject target(32, 32, false, false);
  target.bind();
  clearTo(1, 0, 0);
  target.release();
  glViewport(0, 0, windowWidth, windowHeight);
  clearTo(0, 0, 1);
  target.draw(0.5f);

  Picture screen;
  ASSERT_TRUE(screenshot(screen));
  ASSERT_GE(screen.width, windowWidth);
  ASSERT_GE(screen.height, windowHeight);
  EXPECT_PRED3(near, screen.at(10, 10), blue, 0);
  EXPECT_PRED3(near, screen.at(windowWidth / 2, windowHeight / 2), red, 0);
}

}  // namespace
