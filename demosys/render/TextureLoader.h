// Turns image files into textures (the work behind QNVIO::loadTexture) and reads the texture
// pool's configuration entries ("file[, type[, GEN_MIPMAP]]").
// Images declaring more than the driver's texture size are refused before decoding.
// Depends on: Texture, Image, ImageHeader, Arc, QNVIO (resource types, debug flag), StringTokenizer, GLU.
#pragma once

#include <string>

class Image;
class Texture;

struct TextureEntry {
  std::string file;
  unsigned int type;
  bool mipmap;
};

class TextureLoader {
 public:
  // A new texture (owned by the caller) of the given target from the image named filename in the
  // given resource source; null when the image is missing or undecodable. 1D textures are as long
  // as the image's larger side; 3D textures are carried by type only, with no image.
  static Texture* load(const std::string& filename, unsigned int type, bool mipmap, int resourceType);

  // Parses one texture pool entry value; false with the loader's error text in error.
  static bool parseEntry(const std::string& value, TextureEntry& entry, std::string& error);

 private:
  static void upload1D(const Image& image);
  static void upload2D(const Image& image, bool mipmap);
  static void drainErrors(const std::string& filename);
};
