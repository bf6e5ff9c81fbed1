// Texture: GL texture object, bind-time sampling state and quad drawers.
#include "demosys/render/Texture.h"

#include <GL/glew.h>

#include "demosys/render/NdcMatrices.h"
#include "qnvutils/QNVUtils.h"

Texture::Texture(int width, int height, unsigned int internalFormat, unsigned int format)
    : Texture(width, height, GL_TEXTURE_2D, internalFormat, format, nullptr) {}

Texture::Texture(int width, int height, unsigned int type, unsigned int internalFormat, unsigned int format,
                 const void* data)
    : width(width),
      height(height),
      type(type),
      interpolation(GL_LINEAR),
      wrapS(GL_CLAMP_TO_EDGE),
      wrapT(GL_CLAMP_TO_EDGE),
      textureEnv(GL_REPLACE) {
  glGenTextures(1, &textureName);
  glBindTexture(type, textureName);
  glTexParameterf(type, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(type, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  if (type == GL_TEXTURE_1D) {
    glTexImage1D(GL_TEXTURE_1D, 0, internalFormat, width, 0, format, GL_UNSIGNED_BYTE, data);
  } else {
    glTexImage2D(type, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, data);
  }
  glBindTexture(type, 0);
}

Texture::Texture(const std::string& filename, unsigned int textureName)
    : textureName(textureName),
      filename(filename),
      type(GL_TEXTURE_2D),
      interpolation(GL_LINEAR),
      wrapS(GL_CLAMP_TO_EDGE),
      wrapT(GL_CLAMP_TO_EDGE),
      textureEnv(GL_REPLACE) {}

Texture::~Texture() { glDeleteTextures(1, &textureName); }

void Texture::bind() {
  glEnable(type);
  glBindTexture(type, textureName);
  glTexParameteri(type, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_LINEAR : interpolation);
  glTexParameteri(type, GL_TEXTURE_MAG_FILTER, mipmapped ? GL_LINEAR : interpolation);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, textureEnv);
  glTexParameteri(type, GL_TEXTURE_WRAP_S, wrapS);
  glTexParameteri(type, GL_TEXTURE_WRAP_T, wrapT);
}

void Texture::release() {
  glBindTexture(type, 0);
  glDisable(type);
}

void Texture::updateTexture(int w, int h, unsigned int internalFormat, unsigned int format,
                            const void* data) {
  width = w;
  height = h;
  fileSize = 0;
  type = GL_TEXTURE_2D;
  interpolation = GL_LINEAR;
  mipmapped = false;
  glBindTexture(GL_TEXTURE_2D, textureName);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, w, h, 0, format, GL_UNSIGNED_BYTE, data);
  glBindTexture(GL_TEXTURE_2D, 0);
  bpp = 32;
}

void Texture::drawCorners(const Corner (&corners)[4]) {
  glBegin(GL_QUADS);
  for (const Corner& c : corners) {
    glTexCoord2f(c.s, c.t);
    glVertex2f(c.x, c.y);
  }
  glEnd();
}

// The quad is given in normalised device coordinates: both matrices are identity while it is drawn.
void Texture::drawFullScreen(const Corner (&corners)[4]) {
  NdcMatrices::push();
  drawCorners(corners);
  release();
  NdcMatrices::pop();
}

const Texture::Corner Texture::fullScreenCorners[4] = {
    {0, 1, -1, 1}, {1, 1, 1, 1}, {1, 0, 1, -1}, {0, 0, -1, -1}};
const Texture::Corner Texture::flippedCorners[4] = {
    {0, 1, -1, -1}, {1, 1, 1, -1}, {1, 0, 1, 1}, {0, 0, -1, 1}};

void Texture::drawQuadFS() {
  bind();
  drawFullScreen(fullScreenCorners);
}

void Texture::drawQuadFS_Flip() {
  bind();
  drawFullScreen(flippedCorners);
}

void Texture::enableBlending(unsigned int src, unsigned int dst) {
  glEnable(GL_BLEND);
  glBlendFunc(src, dst);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0);
}

// Blended drawers always leave depth testing on, whatever it was before.
void Texture::disableBlending() {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
}

void Texture::drawQuadBlendFS(unsigned int src, unsigned int dst) {
  enableBlending(src, dst);
  bind();
  glDisable(GL_DEPTH_TEST);
  drawFullScreen(flippedCorners);
  disableBlending();
}

void Texture::drawQuadScaled(const Vector2f& size) {
  float w = size[0] / 2, h = size[1] / 2;
  bind();
  drawCorners({{0, 1, -w, h}, {0, 0, -w, -h}, {1, 0, w, -h}, {1, 1, w, h}});
  release();
}

void Texture::cornersAt(const Vector2f& size, const Vector2f& pos, Corner (&corners)[4]) {
  float x = pos[0], y = pos[1], w = size[0], h = size[1];
  corners[0] = {0, 1, x, y};
  corners[1] = {0, 0, x, y - h};
  corners[2] = {1, 0, x + w, y - h};
  corners[3] = {1, 1, x + w, y};
}

void Texture::drawQuadScaled(const Vector2f& size, const Vector2f& pos) {
  Corner corners[4];
  cornersAt(size, pos, corners);
  bind();
  drawCorners(corners);
  release();
}

void Texture::drawQuadScaledBlend(unsigned int src, unsigned int dst, const Vector2f& size,
                                  const Vector2f& pos) {
  Corner corners[4];
  cornersAt(size, pos, corners);
  enableBlending(src, dst);
  bind();
  glDisable(GL_DEPTH_TEST);
  drawFullScreen(corners);
  disableBlending();
}

static const char* typeName(unsigned int type) {
  switch (type) {
    case GL_TEXTURE_1D:
      return "GL_TEXTURE_1D ";
    case GL_TEXTURE_2D:
      return "GL_TEXTURE_2D ";
    case GL_TEXTURE_3D:
      return "GL_TEXTURE_3D ";
    default:
      return "";
  }
}

std::string Texture::toString() const {
  return "Texture {file='" + filename + "',id=" + QNVUtils::uint2string(textureName) + "',size='" +
         QNVUtils::int2string(width) + "," + QNVUtils::int2string(height) + "',bpp='" +
         QNVUtils::int2string(bpp) + "'" + (mipmapped ? " mipmapped " : "") + "dimtype=" + typeName(type) +
         "}\n";
}
