// Render targets: the bind stack, clearing, drawing back to the window and the screen, and a target
// the driver refuses to build, which leaves the demo drawing into the window.
#include <GL/glew.h>

#include <functional>
#include <memory>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/DataFBOPool.h"
#include "production/effects/FullScreenQuad.h"
#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"

namespace {

const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};

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
  static std::string printedBy(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
  }
};

// Binding sets the target's viewport and the last release the window's view, which the golden
// frames show; what they do not: releasing an inner target gives the outer one its viewport back,
// and the last release leaves the matrix mode at modelview.
TEST_F(FrameBufferObjectTest, NestedBindsDrawIntoTheInnermostTargetAndReleasesRestoreTheOuterOne) {
  FrameBufferObject a(64, 32, true, false);
  FrameBufferObject b(16, 8, false, false);
  ASSERT_TRUE(a.isValid() && b.isValid()) << a.getStatusMessage();
  EXPECT_EQ(a.getColorBuffer()->getWidth(), 64);
  EXPECT_EQ(boundFramebuffer(), 0) << "construction leaves the window bound";
  clearTo(0, 0, 1);
  a.bind();
  clearTo(1, 0, 0);
  b.bind();
  clearTo(0, 1, 0);
  b.release();
  EXPECT_EQ(viewport(), (std::vector<GLint>{0, 0, 64, 32}));
  glMatrixMode(GL_TEXTURE);
  a.release();
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_PRED3(near, readFBO(a, 63, 31), red, 0);
  EXPECT_PRED3(near, readFBO(b, 0, 0), green, 0);
  EXPECT_PRED3(near, readWindow(10, 10), blue, 0);
}

TEST_F(FrameBufferObjectTest, StackMistakesAreReportedAndLeaveTheStackAlone) {
  FrameBufferObject a(16, 16, false, false);
  FrameBufferObject b(32, 16, true, false);
  EXPECT_EQ(printedBy([&] { a.release(); }),
            "FBO : *** STACK ERROR : Stack is already empty. Possible underflow ***\n");
  a.bind();
  b.bind();
  EXPECT_EQ(printedBy([&] { a.release(); }),
            "FBO : *** STACK ERROR : FrameBufferObject(32,16,COLOR_BUFFER,DEPTH_BUFFER) is not "
            "FrameBufferObject(16,16,COLOR_BUFFER) ***\n");
  ASSERT_EQ(FrameBufferObject::fboStack.size(), 2u);
  EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(b.getId()));
  b.release();
  a.release();

  // The seventeenth nested bind is reported but still binds.
  std::vector<std::unique_ptr<FrameBufferObject>> targets;
  for (int i = 0; i < 17; ++i) targets.push_back(std::make_unique<FrameBufferObject>(8, 8, false, true));
  EXPECT_EQ(targets[0]->toString(), "FrameBufferObject(8,8,COLOR_BUFFER,STENCIL_BUFFER)");
  EXPECT_EQ(printedBy([&] { for (int i = 0; i < 16; ++i) targets[i]->bind(); }), "");
  EXPECT_EQ(printedBy([&] { targets[16]->bind(); }), "FBO: Overflow? 17 in stack\n");
  EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(targets[16]->getId()));
  for (int i = 16; i >= 0; --i) targets[i]->release();
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
}

TEST_F(FrameBufferObjectTest, ClearResetsTheFlagAndClearsTheBuffersTheTargetHas) {
  FrameBufferObject target(16, 16, true, false);
  target.bind();
  clearTo(1, 1, 1);
  glClearColor(0, 0, 1, 1);
  target.setClearFlag(true);
  target.clearColorBuffer();
  EXPECT_TRUE(target.hasClearFlag());
  EXPECT_PRED3(near, readBound(5, 5), blue, 0);
  glClearColor(1, 0, 0, 1);
  glClearDepth(0.0);
  target.clearRenderBuffer();
  glClearDepth(1.0);
  target.clear();
  EXPECT_FALSE(target.hasClearFlag());
  EXPECT_PRED3(near, readBound(5, 5), red, 0);
  // Depth is cleared too: a quad at depth 0.5 passes a cleared (far) depth buffer.
  glEnable(GL_DEPTH_TEST);
  glColor3f(0, 1, 0);
  glRectf(-1, -1, 1, 1);
  glDisable(GL_DEPTH_TEST);
  EXPECT_PRED3(near, readBound(5, 5), green, 0);
  target.release();
}

TEST_F(FrameBufferObjectTest, PoolClearsFlaggedTargetsWithTheCurrentClearColourOnly) {
  DataFBOPool pool;
  auto* drawn = new FrameBufferObject(16, 16, true, false);
  auto* untouched = new FrameBufferObject(16, 16, false, false);
  pool.addFBO("drawn", drawn);
  pool.addFBO("untouched", untouched);
  for (auto [target, colour] : {std::pair{drawn, red}, std::pair{untouched, green}}) {
    target->bind();
    clearTo(colour.r / 255.0f, colour.g / 255.0f, 0);
    target->release();
  }
  drawn->setClearFlag(true);
  untouched->setClearFlag(false);
  glClearColor(0, 0, 1, 1);
  pool.clearFlaggedFBOs();
  EXPECT_PRED3(near, readFBO(*drawn, 8, 8), blue, 0);
  EXPECT_PRED3(near, readFBO(*untouched, 8, 8), green, 0);
  EXPECT_FALSE(drawn->hasClearFlag());
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
  EXPECT_EQ(boundFramebuffer(), 0);
}

// After a target was bound and released, drawing to the window must reach the X screen, not a
// framebuffer of the SDL layer that nobody shows. Where the quad lands and what it samples, the
// golden frames show.
TEST_F(FrameBufferObjectTest, DrawReachesTheScreenAndKeepsTheCallersMatrixMode) {
  FrameBufferObject target(32, 32, false, false);
  target.bind();
  clearTo(1, 0, 0);
  target.release();
  glViewport(0, 0, windowWidth, windowHeight);
  clearTo(0, 0, 1);
  glMatrixMode(GL_TEXTURE);
  target.draw(0.5f);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_TEXTURE) << "the caller's matrix mode is restored";
  glMatrixMode(GL_MODELVIEW);
  Picture screen;
  ASSERT_TRUE(screenshot(screen));
  ASSERT_GE(screen.width, windowWidth);
  EXPECT_PRED3(near, screen.at(10, 10), blue, 0);
  EXPECT_PRED3(near, screen.at(windowWidth / 2, windowHeight / 2 + 20), red, 0);
}

TEST_F(FrameBufferObjectTest, IncompleteTargetIsReportedAndNeverBound) {
  std::unique_ptr<FrameBufferObject> broken;
  std::string printed = printedBy([&] { broken = std::make_unique<FrameBufferObject>(0, 0, false, false); });
  EXPECT_FALSE(broken->isValid());
  EXPECT_EQ(printed.rfind("FBO " + broken->getStatusMessage() + "(", 0), 0u) << printed;
  EXPECT_NE(printed.find(") = false\n"), std::string::npos) << printed;
  broken->bind();
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
  EXPECT_EQ(boundFramebuffer(), 0);
  clearTo(0, 0, 1);
  broken->draw();
  EXPECT_PRED3(near, readWindow(10, 10), blue, 0);
}

TEST_F(FrameBufferObjectTest, PassQuadCoversTheTargetUnderBackFaceCullingAndKeepsItOn) {
  FrameBufferObject target(16, 16, false, false);
  target.bind();
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  FullScreenQuad::draw();
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  glDisable(GL_CULL_FACE);
  target.release();
  EXPECT_PRED3(near, readFBO(target, 0, 0), green, 1);
  EXPECT_PRED3(near, readFBO(target, 15, 15), green, 1);
}

// Mesa keeps one pending error at a time, so one error is all a test can queue here.
TEST_F(FrameBufferObjectTest, GlErrPrintReportsThePendingErrorOnceAndIsSilentWithout) {
  glPopMatrix();  // GL_STACK_UNDERFLOW
  bool first = true, second = false;
  EXPECT_EQ(printedBy([&] {
              first = QNVDemosys::glErrPrint("VBO::validateBuffer");
              second = QNVDemosys::glErrPrint("again");
            }),
            "[GL_ERROR LOCATION = 'VBO::validateBuffer']\n[GL_ERROR CODE 1284] 'stack underflow' in ->\n");
  EXPECT_FALSE(first);
  EXPECT_TRUE(second);
}

const char* const WHITE_INTO_BROKEN_TARGET =
    "rowrate 20\n"
    "effect paint\n  start 0 broken\n  stop 1000\n"
    "  track alpha\n    0 STEP 1\n  track red\n    0 STEP 1\n"
    "  track green\n    0 STEP 1\n  track blue\n    0 STEP 1\n";

class FailedRenderTarget : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(production.ok());
    production.setBlock("framebuffers", "broken = 40000, 16, COLOR_BUFFER;");
    production.setBlock("paint * FadeEffect", "comment = white;");
    production.writeScript();
    ASSERT_TRUE(production.buildTracks(WHITE_INTO_BROKEN_TARGET));
  }
  DemoProduction production;
};

TEST_F(FailedRenderTarget, EffectsBoundToItDrawToTheWindow) {
  const ProgramRun run = production.runTool("render --size 160x90 --at 0 --at 50 --out .");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("FBO Framebuffer"), std::string::npos) << "the target did fail\n" << run.out;
  EXPECT_EQ(run.out.find("STACK ERROR"), std::string::npos) << run.out;
  for (const char* frame : {"000000.png", "000001.png"}) {
    Image image(production.path(frame));
    ASSERT_TRUE(image.exists()) << frame;
    const unsigned char* centre = image.getData() + (45 * 160 + 80) * image.getPixelSize();
    EXPECT_EQ(centre[0] + centre[1] + centre[2], 3 * 255) << frame << " is not the effect's white";
  }
}

TEST_F(FailedRenderTarget, CheckWithTheDriverNamesIt) {
  const ProgramRun lintOnly = production.runTool("check");
  EXPECT_EQ(lintOnly.status, 0) << lintOnly.out;
  const ProgramRun run = production.runTool("check --gl");
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_NE(run.out.find("resources/scripts/demoscript.txt: error: the driver cannot build framebuffer 'broken': "),
            std::string::npos)
      << run.out;
}

}  // namespace
