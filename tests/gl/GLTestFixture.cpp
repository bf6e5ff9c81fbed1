// GL test harness: window, state reset, read-back, screenshots and test-data writers.
#include "tests/gl/GLTestFixture.h"

#include <GL/glew.h>
#include <SDL.h>
#include <stdlib.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"

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

// Next header field of a PPM, skipping white space and '#' comment lines.
static std::string ppmField(const std::string& data, size_t& pos) {
  while (pos < data.size() && (std::isspace(static_cast<unsigned char>(data[pos])) || data[pos] == '#')) {
    if (data[pos] == '#') pos = data.find('\n', pos);
    if (pos == std::string::npos) pos = data.size();
    ++pos;
  }
  size_t start = pos;
  while (pos < data.size() && !std::isspace(static_cast<unsigned char>(data[pos]))) ++pos;
  return data.substr(start, pos - start);
}

// Reads a binary PPM (P6, maxval 255) as ImageMagick writes it.
static bool parsePPM(const std::string& data, Picture& picture) {
  size_t pos = 0;
  std::string magic = ppmField(data, pos);
  picture.width = std::atoi(ppmField(data, pos).c_str());
  picture.height = std::atoi(ppmField(data, pos).c_str());
  int maxval = std::atoi(ppmField(data, pos).c_str());
  if (magic != "P6" || maxval != 255 || picture.width <= 0 || picture.height <= 0) return false;
  size_t offset = pos + 1;
  size_t size = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3;
  if (data.size() < offset + size) return false;
  picture.rgb.assign(data.begin() + static_cast<std::ptrdiff_t>(offset),
                     data.begin() + static_cast<std::ptrdiff_t>(offset + size));
  return true;
}

bool GLTestFixture::screenshot(Picture& picture) {
  swapBuffers();
  int status = -1;
  std::string ppm = runCommand("xwd -root -silent | /usr/bin/convert xwd:- ppm:-", &status);
  return status == 0 && parsePPM(ppm, picture);
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

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "demosys-gl-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) != nullptr) dir = name.data();
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
}

std::string TempDir::file(const std::string& name) const { return dir + "/" + name; }

void TempDir::write(const std::string& name, const std::string& text) const {
  std::ofstream out(file(name), std::ios::binary);
  out << text;
}

namespace {

uint32_t crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

std::string bigEndian(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::string chunk(const std::string& type, const std::string& body) {
  return bigEndian(static_cast<uint32_t>(body.size())) + type + body + bigEndian(crc32(type + body));
}

// zlib stream of stored (uncompressed) deflate blocks.
std::string storedZlib(const std::string& raw) {
  std::string out = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  size_t pos = 0;
  do {
    size_t len = std::min<size_t>(65535, raw.size() - pos);
    bool last = pos + len == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(len & 0xFF);
    out += static_cast<char>(len >> 8);
    out += static_cast<char>(~len & 0xFF);
    out += static_cast<char>((~len >> 8) & 0xFF);
    out.append(raw, pos, len);
    pos += len;
  } while (pos < raw.size());
  return out + bigEndian((b << 16) | a);
}

}  // namespace

bool writePNG(const std::string& path, int width, int height, int channels,
              const std::vector<uint8_t>& pixels) {
  size_t row = static_cast<size_t>(width) * static_cast<size_t>(channels);
  if (pixels.size() != row * static_cast<size_t>(height)) return false;
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(pixels.data()) + row * static_cast<size_t>(y), row);
  }
  std::string header = bigEndian(static_cast<uint32_t>(width)) + bigEndian(static_cast<uint32_t>(height));
  header += '\x08';
  header += static_cast<char>(channels == 4 ? 6 : 2);
  header += std::string(3, '\0');
  std::ofstream out(path, std::ios::binary);
  out << "\x89PNG\r\n\x1a\n" << chunk("IHDR", header) << chunk("IDAT", storedZlib(raw)) << chunk("IEND", "");
  return static_cast<bool>(out);
}
