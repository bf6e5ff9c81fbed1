#include "demosys/resources/QNVIO.h"

#include <iostream>

#include "demosys/render/TextureLoader.h"
#include "demosys/resources/Binary.h"
#include "qnvutils/Arc.h"
#include "qnvutils/File.h"

namespace {

const char* const ARCHIVE_NAME = "resources.7z";

}  // namespace

int QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
bool QNVIO::debug = false;

void QNVIO::init(int resourceType) {
  ResourceType = resourceType;
  // Every later load would report its file as missing; the archive is the thing to name.
  if (resourceType == QNV_RESOURCES_7Z && !arc_load(ARCHIVE_NAME))
    std::cout << "Cannot read the archive '" << ARCHIVE_NAME << "': " << arc_getError() << std::endl;
  debug = false;
}

void QNVIO::destroy() {
  if (ResourceType == QNV_RESOURCES_7Z) arc_close();
}

File* QNVIO::loadFile(const std::string& name) { return loadFile(name, ResourceType); }

File* QNVIO::loadFile(const std::string& name, int resourceType) {
  announce("Loading file : ", name);
  return open(name, resourceType);
}

File* QNVIO::loadTextFile(const std::string& name) { return loadTextFile(name, ResourceType); }

File* QNVIO::loadTextFile(const std::string& name, int resourceType) {
  announce("Loading text file : ", name);
  return open(name, resourceType);
}

Binary* QNVIO::loadBinary(const std::string& name) { return loadBinary(name, ResourceType); }

Binary* QNVIO::loadBinary(const std::string& name, int resourceType) {
  announce("Loading binary file : ", name);
  File* file = open(name, resourceType);
  Binary* binary = file && file->exists() ? new Binary(file->getUnsigned()) : nullptr;
  delete file;
  return binary;
}

Texture* QNVIO::loadTexture(const std::string& name, unsigned int type, bool mipmap) {
  return loadTexture(name, type, mipmap, ResourceType);
}

Texture* QNVIO::loadTexture(const std::string& name, unsigned int type, bool mipmap, int resourceType) {
  return TextureLoader::load(name, type, mipmap, resourceType);
}

File* QNVIO::open(const std::string& name, int resourceType) {
  if (resourceType == QNV_RESOURCES_FLAT) return new File(name, File::MODE_READ);
  if (resourceType != QNV_RESOURCES_7Z) return nullptr;
  File* file = new File(name);
  arc_getFile(file);
  return file;
}

void QNVIO::announce(const char* what, const std::string& name) {
  if (debug) std::cout << what << name << std::endl;
}
