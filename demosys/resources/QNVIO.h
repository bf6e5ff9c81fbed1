// Fetches resources by relative name from the directory tree or from the archive
// "resources.7z" in the working directory; the name is the same for both sources.
// Everything returned is owned by the caller.
// Depends on: qnvutils File and Arc, Binary, TextureLoader.
#pragma once

#include <string>

class Binary;
class File;
class Texture;

class QNVIO {
 public:
  static constexpr int QNV_RESOURCES_FLAT = 0;
  static constexpr int QNV_RESOURCES_7Z = 1;

  // The source the one-argument loads use.
  static int ResourceType;
  // When true every load prints a line naming the file.
  static bool debug;

  // Chooses the source; for the archive opens "resources.7z". A missing or unreadable
  // archive is reported with a line naming it and the reason; every archive load then misses.
  static void init(int resourceType);
  // Closes the archive; later archive loads find nothing.
  static void destroy();

  // A new File (test exists()); null for an unknown resource type.
  static File* loadFile(const std::string& name);
  static File* loadFile(const std::string& name, int resourceType);
  static File* loadTextFile(const std::string& name);
  static File* loadTextFile(const std::string& name, int resourceType);
  // A new Binary of the file's bytes, or null when the file is missing.
  static Binary* loadBinary(const std::string& name);
  static Binary* loadBinary(const std::string& name, int resourceType);
  // A new texture of the GL target type (GL_TEXTURE_1D or GL_TEXTURE_2D, mipmapped on request)
  // from an image file, or null when the image is missing or undecodable (see TextureLoader).
  static Texture* loadTexture(const std::string& name, unsigned int type, bool mipmap);
  static Texture* loadTexture(const std::string& name, unsigned int type, bool mipmap, int resourceType);

 private:
  static File* open(const std::string& name, int resourceType);
  static void announce(const char* what, const std::string& name);
};
