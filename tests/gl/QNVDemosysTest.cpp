// The GL error printer and the window view the render targets return to.
#include <GL/glew.h>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "tests/gl/GLTestFixture.h"

namespace {

using QNVDemosysTest = GLTestFixture;

TEST_F(QNVDemosysTest, GlErrPrintIsSilentWithoutErrors) {
  testing::internal::CaptureStdout();
  EXPECT_TRUE(QNVDemosys::glErrPrint("quiet"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// Mesa keeps one pending error at a time, so one error is all a test can queue here.
TEST_F(QNVDemosysTest, GlErrPrintReportsThePendingErrorAndDrainsIt) {
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();  // GL_STACK_UNDERFLOW
  testing::internal::CaptureStdout();
  EXPECT_FALSE(QNVDemosys::glErrPrint("VBO::validateBuffer"));
  EXPECT_TRUE(QNVDemosys::glErrPrint("again"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "[GL_ERROR LOCATION = 'VBO::validateBuffer']\n[GL_ERROR CODE 1284] 'stack underflow' in ->\n");
}

TEST_F(QNVDemosysTest, WindowViewLoadsTheLetterboxAndPerspective) {
  ScreenMetrics& m = metrics();
  glMatrixMode(GL_TEXTURE);
  m.setView();
  GLint mode = 0, viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4),
            (std::vector<GLint>{0, 0, windowWidth - 1, static_cast<GLint>(0.5625f * windowWidth)}));
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(projection[i], m.projection[i]) << i;
  EXPECT_FLOAT_EQ(projection[11], -1.0f);
}

}  // namespace
