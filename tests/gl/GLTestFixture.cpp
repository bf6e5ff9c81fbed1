// GL test harness: window, state reset, read-back, screenshots and test-data writers.
#include "tests/gl/GLTestFixture.h"

#include <GL/glew.h>
#include <IL/il.h>
#include <SDL.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "qnvutils/Image.h"

namespace {

struct Window {
  bool open = false;
  std::string error;
  ScreenMetrics metrics;
};

// sdl12-compat renders OpenGL programs into its own framebuffer and scales that to the window
// unless told otherwise; binding framebuffer 0 would then bypass what the window shows.
// Screenshots of the X screen expect the window in its top left corner (there is no window
// manager to place it).
Window& window() {
  static Window w;
  static bool tried = false;
  if (tried) return w;
  tried = true;
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  setenv("SDL_VIDEO_WINDOW_POS", "0,0", 0);
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    w.error = std::string("SDL_Init failed: ") + SDL_GetError();
    return w;
  }
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (SDL_SetVideoMode(GLTestFixture::windowWidth, GLTestFixture::windowHeight, 32, SDL_OPENGL) == nullptr) {
    w.error = std::string("SDL_SetVideoMode failed: ") + SDL_GetError();
    return w;
  }
  GLenum status = glewInit();
  if (status != GLEW_OK) {
    w.error = std::string("glewInit failed: ") + reinterpret_cast<const char*>(glewGetErrorString(status));
    return w;
  }
  if (!GLEW_VERSION_2_0) {
    w.error = "OpenGL 2.0 is not available";
    return w;
  }
  w.metrics.setResolution(GLTestFixture::windowWidth, GLTestFixture::windowHeight);
  w.metrics.initView();
  QNVDemosys::screenMetrics = &w.metrics;
  w.open = true;
  return w;
}

void resetState() {
  FrameBufferObject::fboStack.clear();
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  glUseProgram(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY}) {
    glDisableClientState(array);
  }
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_1D);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  glViewport(0, 0, GLTestFixture::windowWidth, GLTestFixture::windowHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  GLTestFixture::clearScreen();
  while (glGetError() != GL_NO_ERROR) {
  }
}

}  // namespace

bool near(const Rgba& actual, const Rgba& expected, int tolerance) {
  return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
         std::abs(actual.b - expected.b) <= tolerance && std::abs(actual.a - expected.a) <= tolerance;
}

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")";
}

Rgba Picture::at(int x, int y) const {
  size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2], 255};
}

void GLTestFixture::SetUp() {
  Window& w = window();
  if (!w.open) GTEST_FAIL() << "no GL window: " << w.error;
  resetState();
}

void GLTestFixture::TearDown() {
  if (window().open) {
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "GL error left by the test";
  }
}

ScreenMetrics& GLTestFixture::metrics() { return window().metrics; }

void GLTestFixture::clearScreen() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Rgba GLTestFixture::readBound(int x, int y) {
  unsigned char p[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2], p[3]};
}

Rgba GLTestFixture::readWindow(int x, int y) {
  GLint bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  glReadBuffer(GL_BACK);
  Rgba c = readBound(x, y);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(bound));
  return c;
}

Rgba GLTestFixture::readFBO(FrameBufferObject& fbo, int x, int y) {
  GLint bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo.getId());
  glReadBuffer(GL_COLOR_ATTACHMENT0_EXT);
  Rgba c = readBound(x, y);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(bound));
  glReadBuffer(bound == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0_EXT);
  return c;
}

void GLTestFixture::swapBuffers() {
  glFinish();
  SDL_GL_SwapBuffers();
}

// The X screen as a PPM file (xwd piped through ImageMagick), decoded by our own reader.
bool GLTestFixture::screenshot(Picture& picture) {
  swapBuffers();
  TempDir dir;
  int status = -1;
  runCommand("xwd -root -silent | /usr/bin/convert xwd:- ppm:'" + dir.file("screen.ppm") + "'", &status);
  Image image(dir.file("screen.ppm"));
  if (status != 0 || image.getData() == nullptr || image.getPixelSize() != 3) return false;
  picture.width = image.getWidth();
  picture.height = image.getHeight();
  const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
  picture.rgb.resize(row * static_cast<std::size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) {  // the decoder keeps rows bottom-up
    std::copy_n(image.getData() + row * static_cast<std::size_t>(picture.height - 1 - y), row,
                picture.rgb.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)));
  }
  return true;
}

std::string runCommand(const std::string& command, int* status) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    if (status != nullptr) *status = -1;
    return out;
  }
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  int rc = pclose(pipe);
  if (status != nullptr) *status = rc;
  return out;
}

// The same calls as the texture generators' PNG writer, for 3 or 4 channels.
bool writePNG(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels) {
  static const bool initialised = (ilInit(), true);
  (void)initialised;
  if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * channels) return false;
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  bool written = ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, static_cast<ILubyte>(channels),
                            channels == 4 ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE,
                            const_cast<uint8_t*>(pixels.data())) == IL_TRUE;
  ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);  // the rows are top-down
  ilEnable(IL_FILE_OVERWRITE);
  written = written && ilSave(IL_PNG, path.c_str()) == IL_TRUE;
  ilDeleteImages(1, &image);
  return written;
}
