// End-of-frame clearing of the render targets that were drawn into.
#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/resources/DataFBOPool.h"
#include "tests/gl/GLTestFixture.h"

namespace {

using DataFBOPoolTest = GLTestFixture;

void fill(FrameBufferObject* target, float r, float g, float b) {
  target->bind();
  glClearColor(r, g, b, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  target->release();
  target->setClearFlag(true);
}

TEST_F(DataFBOPoolTest, ClearsFlaggedTargetsWithTheCurrentClearColourOnly) {
  DataFBOPool pool;
  auto* drawn = new FrameBufferObject(16, 16, true, false);
  auto* untouched = new FrameBufferObject(16, 16, false, false);
  pool.addFBO("drawn", drawn);
  pool.addFBO("untouched", untouched);
  fill(drawn, 1, 0, 0);
  fill(untouched, 0, 1, 0);
  untouched->setClearFlag(false);

  glClearColor(0, 0, 1, 1);
  pool.clearFlaggedFBOs();
  EXPECT_PRED3(near, readFBO(*drawn, 8, 8), (Rgba{0, 0, 255, 255}), 0);
  EXPECT_PRED3(near, readFBO(*untouched, 8, 8), (Rgba{0, 255, 0, 255}), 0);
  EXPECT_FALSE(drawn->hasClearFlag());
  EXPECT_TRUE(FrameBufferObject::fboStack.empty());
  GLint bound = -1;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
  EXPECT_EQ(bound, 0);
}

}  // namespace
