// Capability report: extension list, checklist message, and the printed implementation values.
#include <GL/glew.h>

#include <sstream>

#include "demosys/render/GLExtensions.h"
#include "tests/gl/GLTestFixture.h"

namespace {

using GLExtensionsTest = GLTestFixture;

TEST_F(GLExtensionsTest, KnowsTheExtensionsTheEngineUses) {
  GLExtensions extensions;
  for (const char* name : {"GL_EXT_framebuffer_object", "GL_ARB_vertex_buffer_object",
                           "GL_ARB_shader_objects", "GL_ARB_multitexture"}) {
    EXPECT_TRUE(extensions.isSupported(std::string(name))) << name;
  }
  EXPECT_FALSE(extensions.isSupported(std::string("GL_QNV_not_an_extension")));
  EXPECT_FALSE(extensions.isSupported(std::string("")));
}

TEST_F(GLExtensionsTest, ChecklistNamesEveryMissingExtension) {
  GLExtensions extensions;
  EXPECT_TRUE(extensions.isSupported()) << "an empty checklist is satisfied";
  extensions.addToChecklist("GL_EXT_framebuffer_object");
  extensions.addToChecklist("GL_QNV_first");
  extensions.addToChecklist("GL_ARB_vertex_buffer_object");
  extensions.addToChecklist("GL_QNV_second");
  EXPECT_FALSE(extensions.isSupported());
  EXPECT_EQ(extensions.getErrorMessage(),
            "Error: Your OpenGL implementation is missing the following extensions :\n"
            " - GL_QNV_first\n - GL_QNV_second\n");
}

TEST_F(GLExtensionsTest, ReportPrintsTheImplementationValuesAndListsTheExtensions) {
  GLExtensions extensions;
  testing::internal::CaptureStdout();
  std::string list = extensions.toString();
  std::string printed = testing::internal::GetCapturedStdout();

  GLint textureSize = 0, attribs = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
  glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &attribs);
  EXPECT_GT(textureSize, 0);
  EXPECT_EQ(GLExtensions::MAX_TEXTURE_SIZE, textureSize);
  std::string vertexShaderInstructions = extensions.isSupported(std::string("GL_EXT_vertex_shader"))
                                             ? std::to_string(GLExtensions::MAX_VERTEX_SHADER_INSTRUCTIONS)
                                             : "0";
  std::string fragmentLights = extensions.isSupported(std::string("GL_EXT_fragment_lighting"))
                                   ? std::to_string(GLExtensions::MAX_FRAGMENT_LIGHTS)
                                   : "0";
  std::ostringstream expected;
  expected << "--- Implementation Independent API Values ---\n"
           << "GL_MAX_VERTEX_ATTRIBS ................... " << attribs << "\n"
           << "GL_MAX_VERTEX_UNIFORM_COMPONENTS_ARB .... " << GLExtensions::MAX_VERTEX_UNIFORM_COMPONENTS
           << "\n"
           << "GL_MAX_VARYING_FLOATS_ARB ............... " << GLExtensions::MAX_VARYING_FLOATS << "\n"
           << "GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS_ARB ... " << GLExtensions::MAX_VERTEX_TEXTURE_IMAGE_UNITS
           << "\n"
           << "GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB . " << GLExtensions::MAX_COMBINED_TEXTURE_IMAGE_UNITS
           << "\n"
           << "GL_MAX_TEXTURE_COORDS_ARB ............... " << GLExtensions::MAX_TEXTURE_COORDS << "\n"
           << "GL_MAX_FRAGMENT_UNIFORM_COMPONENTS_ARB .. " << GLExtensions::MAX_FRAGMENT_UNIFORM_COMPONENTS
           << "\n"
           << "GL_MAX_TEXTURE_SIZE ..................... " << textureSize << "\n"
           << "GL_MAX_VERTEX_SHADER_INSTRUCTIONS_EXT ... " << vertexShaderInstructions << "\n"
           << "GL_MAX_FRAGMENT_LIGHTS_EXT .............. " << fragmentLights << "\n"
           << "---------------------------------------------\n";
  EXPECT_EQ(printed, expected.str());
  EXPECT_GT(GLExtensions::MAX_COMBINED_TEXTURE_IMAGE_UNITS, 0);
  EXPECT_GT(GLExtensions::MAX_VARYING_FLOATS, 0);

  ASSERT_GE(list.size(), 2u);
  EXPECT_EQ(list.substr(list.size() - 2), " \n");
  EXPECT_NE(list.find("GL_EXT_framebuffer_object "), std::string::npos);
  std::cout << printed << list;  // the report as it appears at start-up, for the test log
}

}  // namespace
