#include "qnvutils/Arc.h"

#include <cstdint>
#include <vector>

#include "Packman/Packman.h"
#include "qnvutils/File.h"
#include "qnvutils/Image.h"

namespace {

// The entry's bytes, or false when it is missing or fails to extract.
bool extract(const std::string& name, std::vector<unsigned char>& bytes) {
  const int64_t size = packman_getFileSize(name.c_str());
  if (size < 0) return false;
  bytes.resize(static_cast<std::size_t>(size));
  return packman_getFile(name.c_str(), bytes.data()) == 0;
}

}  // namespace

bool arc_load(const std::string& path) { return packman_init(path.c_str()) == 0; }

void arc_close() { packman_shutdown(); }

std::string arc_getError() { return packman_getError(); }

bool arc_getFile(File* file) {
  std::vector<unsigned char> bytes;
  if (!file) return false;
  if (!extract(file->getFilename(), bytes)) {
    file->exists(false);
    return false;
  }
  file->put(bytes.data(), bytes.size());
  file->exists(true);
  return true;
}

bool arc_getImage(Image* image) {
  std::vector<unsigned char> bytes;
  if (!image) return false;
  if (!extract(image->getFileName(), bytes)) {
    image->exists(false);
    return false;
  }
  image->putData(bytes.data(), bytes.size());
  return true;
}
