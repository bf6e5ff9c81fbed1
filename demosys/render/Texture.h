// The engine's handle on one OpenGL texture object plus the sampling settings (filter, wrap,
// texture-environment mode) that every bind() applies again, and the screen-aligned quad
// drawers used by post-processing, the progress display and render targets.
// GL enums and names are carried as plain unsigned ints so the header needs no GL header.
// Depends on: Vector (quad sizes), QNVUtils (toString), GLEW/OpenGL.
#pragma once

#include <string>

#include "demosys/math/Vector.h"

class Texture {
 public:
  // An empty RGBA-style 2D texture for render targets: linear filtering, no data.
  Texture(int width, int height, unsigned int internalFormat, unsigned int format);
  // A 1D (type GL_TEXTURE_1D) or 2D texture with initial pixel data (unsigned bytes).
  Texture(int width, int height, unsigned int type, unsigned int internalFormat, unsigned int format,
          const void* data);
  // Wraps a texture name the loader already made; no GL call. Size is set later with setSize.
  Texture(const std::string& filename, unsigned int textureName);
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  unsigned int getID() const { return textureName; }
  void setType(unsigned int value) { type = value; }
  unsigned int getType() const { return type; }
  void isMipmapped(bool flag) { mipmapped = flag; }
  bool isMipmapped() const { return mipmapped; }
  void setSize(int w, int h) {
    width = w;
    height = h;
  }
  int getWidth() const { return width; }
  int getHeight() const { return height; }
  void setBPP(int value) { bpp = value; }
  int getBPP() const { return bpp; }
  int getMemorySize() const { return width * height * bpp / 8; }
  void setFileSize(int value) { fileSize = value; }
  int getFileSize() const { return fileSize; }
  // The sampling setters only store; the values take effect at the next bind().
  void setInterpolation(unsigned int value) { interpolation = value; }
  void setTextureWrap(unsigned int both) { setTextureWrap(both, both); }
  void setTextureWrap(unsigned int s, unsigned int t) {
    wrapS = s;
    wrapT = t;
  }
  void setTextureEnv(unsigned int value) { textureEnv = value; }
  const std::string& getFilename() const { return filename; }
  void setFilename(const std::string& name) { filename = name; }

  // Enables the target, binds, and applies filter, environment and wrap settings.
  void bind();
  void release();
  // Replaces the image with a new 2D one of unsigned bytes (per-frame CPU-computed pixels).
  void updateTexture(int width, int height, unsigned int internalFormat, unsigned int format,
                     const void* data);

  // Full-screen quads; both matrices are saved, reset and restored (modelview left current).
  void drawQuadFS();
  void drawQuadFS_Flip();
  // Full-screen, upside down, blended with glBlendFunc(src, dst) and alpha test; leaves depth
  // test on and blending and alpha test off.
  void drawQuadBlendFS(unsigned int src, unsigned int dst);
  // Quads in the current matrices: centred on the origin, or with the upper left corner at pos
  // (y grows upwards).
  void drawQuadScaled(const Vector2f& size);
  void drawQuadScaled(const Vector2f& size, const Vector2f& pos);
  // As drawQuadScaled(size, pos) in identity matrices, blended as drawQuadBlendFS.
  void drawQuadScaledBlend(unsigned int src, unsigned int dst, const Vector2f& size, const Vector2f& pos);

  std::string toString() const;

 private:
  struct Corner {
    float s, t, x, y;
  };
  static const Corner fullScreenCorners[4];
  static const Corner flippedCorners[4];

  static void cornersAt(const Vector2f& size, const Vector2f& pos, Corner (&corners)[4]);
  void drawCorners(const Corner (&corners)[4]);
  void drawFullScreen(const Corner (&corners)[4]);
  void enableBlending(unsigned int src, unsigned int dst);
  void disableBlending();

  unsigned int textureName = 0;
  std::string filename;
  int width = 0;
  int height = 0;
  int bpp = 32;
  int fileSize = 0;
  unsigned int type;
  unsigned int interpolation;
  bool mipmapped = false;
  unsigned int wrapS;
  unsigned int wrapT;
  unsigned int textureEnv;
};
