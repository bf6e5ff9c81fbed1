// Capability checks: the extensions the engine relies on are found, the checklist names every
// missing one, and the report's limits come from the driver.
#include <GL/glew.h>

#include "demosys/render/GLExtensions.h"
#include "tests/gl/GLTestFixture.h"

namespace {

using GLExtensionsTest = GLTestFixture;

TEST_F(GLExtensionsTest, FindsTheEngineExtensionsAndTheChecklistNamesEveryMissingOne) {
  GLExtensions extensions;
  for (const char* name : {"GL_EXT_framebuffer_object", "GL_ARB_vertex_buffer_object", "GL_ARB_shader_objects",
                           "GL_ARB_multitexture"}) {
    EXPECT_TRUE(extensions.isSupported(std::string(name))) << name;
  }
  EXPECT_FALSE(extensions.isSupported(std::string("GL_QNV_not_an_extension")));
  EXPECT_FALSE(extensions.isSupported(std::string("")));
  EXPECT_TRUE(extensions.isSupported()) << "an empty checklist is satisfied";
  for (const char* name : {"GL_EXT_framebuffer_object", "GL_QNV_first", "GL_ARB_vertex_buffer_object", "GL_QNV_second"})
    extensions.addToChecklist(name);
  EXPECT_FALSE(extensions.isSupported());
  EXPECT_EQ(extensions.getErrorMessage(),
            "Error: Your OpenGL implementation is missing the following extensions :\n"
            " - GL_QNV_first\n - GL_QNV_second\n");

  testing::internal::CaptureStdout();
  const std::string list = extensions.toString();
  const std::string printed = testing::internal::GetCapturedStdout();
  GLint textureSize = 0, attribs = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
  glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &attribs);
  EXPECT_EQ(GLExtensions::MAX_TEXTURE_SIZE, textureSize);
  EXPECT_NE(printed.find("GL_MAX_VERTEX_ATTRIBS ................... " + std::to_string(attribs) + "\n"),
            std::string::npos) << printed;
  EXPECT_NE(printed.find("GL_MAX_TEXTURE_SIZE ..................... " + std::to_string(textureSize) + "\n"),
            std::string::npos) << printed;
  EXPECT_NE(list.find("GL_EXT_framebuffer_object "), std::string::npos);
}

}  // namespace
