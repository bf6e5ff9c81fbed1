// FullScreenQuad: the pass quad covers its target whatever culling an earlier effect left on.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/render/FrameBufferObject.h"
#include "production/effects/FullScreenQuad.h"
#include "tests/gl/GLTestFixture.h"

namespace {

class FullScreenQuadTest : public GLTestFixture {};

TEST_F(FullScreenQuadTest, CoversTheTargetWithBackFaceCullingLeftOnAndKeepsItOn) {
  FrameBufferObject target(16, 16, false, false);
  target.bind();
  clearScreen();
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  FullScreenQuad::draw();
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE)) << "the culling state is put back";
  glDisable(GL_CULL_FACE);
  target.release();
  EXPECT_PRED3(near, readFBO(target, 0, 0), (Rgba{0, 255, 0, 255}), 1);
  EXPECT_PRED3(near, readFBO(target, 15, 15), (Rgba{0, 255, 0, 255}), 1);
}

}  // namespace
