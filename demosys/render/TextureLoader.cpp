// TextureLoader: image upload into GL textures and texture entry parsing.
#include "demosys/render/TextureLoader.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <utility>

#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"
#include "qnvutils/Arc.h"
#include "qnvutils/Image.h"
#include "qnvutils/ImageHeader.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

// The largest side an image may declare: what the decoder is trusted with, and no more than the
// driver can hold in one texture.
static int sideLimit() {
  GLint driverLimit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &driverLimit);
  return driverLimit > 0 ? std::min<int>(driverLimit, ImageHeader::MAX_SIDE) : ImageHeader::MAX_SIDE;
}

static std::unique_ptr<Image> loadImage(const std::string& filename, int resourceType) {
  if (resourceType == QNVIO::QNV_RESOURCES_FLAT) return std::make_unique<Image>(filename, sideLimit());
  if (resourceType != QNVIO::QNV_RESOURCES_7Z) return nullptr;
  auto image = std::make_unique<Image>();
  image->setFileName(filename);
  image->setSideLimit(sideLimit());
  arc_getImage(image.get());
  return image;
}

// Component count and pixel format of the depths that can be uploaded; 0 for any other depth.
static GLint components(const Image& image, GLenum& format) {
  format = image.getBpp() == 32 ? GL_RGBA : GL_RGB;
  return image.getBpp() == 32 ? 4 : image.getBpp() == 24 ? 3 : 0;
}

// Decoded rows are tightly packed; GL's default 4-byte row alignment would skew (and over-read)
// RGB images whose rows are not a multiple of four bytes.
class TightUnpacking {
 public:
  TightUnpacking() {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previous);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  }
  ~TightUnpacking() { glPixelStorei(GL_UNPACK_ALIGNMENT, previous); }

 private:
  GLint previous = 4;
};

void TextureLoader::upload1D(const Image& image) {
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  GLenum format;
  if (components(image, format) == 0) return;
  int length = std::max(image.getWidth(), image.getHeight());
  TightUnpacking unpacking;
  glTexImage1D(GL_TEXTURE_1D, 0, static_cast<GLint>(format), length, 0, format, GL_UNSIGNED_BYTE,
               image.getData());
}

void TextureLoader::upload2D(const Image& image, bool mipmap) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  GLenum format;
  GLint count = components(image, format);
  if (count == 0) return;
  TightUnpacking unpacking;
  if (mipmap) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, count, image.getWidth(), image.getHeight(), format, GL_UNSIGNED_BYTE,
                      image.getData());
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.getWidth(), image.getHeight(), 0, format,
                 GL_UNSIGNED_BYTE, image.getData());
  }
}

void TextureLoader::drainErrors(const std::string& filename) {
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    const GLubyte* text = gluErrorString(error);
    std::cout << "[GL_ERROR] '" << (text ? reinterpret_cast<const char*>(text) : "") << "' in ->" << filename
              << std::endl;
  }
}

Texture* TextureLoader::load(const std::string& filename, unsigned int type, bool mipmap, int resourceType) {
  if (QNVIO::debug) std::cout << "Loading texture : " << filename << std::endl;
  std::unique_ptr<Image> image = loadImage(filename, resourceType);
  if (!image || !image->exists()) {
    // The caller's message names the file; this says why a file that is there was not loaded.
    if (image && !image->getProblem().empty())
      std::cout << "Image '" << filename << "' " << image->getProblem() << std::endl;
    return nullptr;
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  if (type == GL_TEXTURE_1D) {
    glBindTexture(GL_TEXTURE_1D, name);
    upload1D(*image);
  } else if (type == GL_TEXTURE_2D) {
    glBindTexture(GL_TEXTURE_2D, name);
    upload2D(*image, mipmap);
  }
  drainErrors(filename);
  // The GL_MODULATE set while uploading is superseded by the texture's own settings at bind().
  Texture* texture = new Texture(filename, name);
  texture->setSize(image->getWidth(), image->getHeight());
  texture->setBPP(image->getBpp());
  texture->setFileSize(static_cast<int>(image->getDataSize()));
  texture->setType(type);
  texture->isMipmapped(mipmap);
  return texture;
}

// Matched exactly and case-sensitively.
static bool parseType(const std::string& token, unsigned int& type) {
  static const std::pair<const char*, unsigned int> types[] = {
      {"GL_TEXTURE_1D", GL_TEXTURE_1D}, {"GL_TEXTURE_2D", GL_TEXTURE_2D}, {"GL_TEXTURE_3D", GL_TEXTURE_3D}};
  for (const auto& candidate : types) {
    if (token == candidate.first) {
      type = candidate.second;
      return true;
    }
  }
  return false;
}

bool TextureLoader::parseEntry(const std::string& value, TextureEntry& entry, std::string& error) {
  StringTokenizer tokens(value, ",");
  int count = tokens.countTokens();
  entry = {StringUtils::trim(tokens.getNext()), GL_TEXTURE_2D, false};
  if (count >= 2) {
    std::string type = StringUtils::trim(tokens.getNext());
    if (!parseType(type, entry.type)) {
      error = "TexturePool: '" + entry.file + "' using wrong texture parameter '" + type + "'\n" +
              "Options : GL_TEXTURE_1D/2D/3D";
      return false;
    }
  }
  if (count == 3) {
    std::string mipmap = StringUtils::trim(tokens.getNext());
    if (mipmap != "GEN_MIPMAP") {
      error = "TexturePool: '" + entry.file + "' using wrong mipmap parameter " + "'" + mipmap + "'\n" +
              "Options : GEN_MIPMAPS";
      return false;
    }
    entry.mipmap = true;
  }
  return true;
}
