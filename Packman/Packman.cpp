#include "Packman/Packman.h"

#include "Packman/PackmanArchive.h"

namespace {

PackmanArchive& theArchive() {
  static PackmanArchive archive;
  return archive;
}

}  // namespace

int packman_init(const char* path) { return path && theArchive().open(path) ? 0 : 1; }

void packman_shutdown() { theArchive().close(); }

const char* packman_getError() { return theArchive().getError().c_str(); }

uint32_t packman_getFileIndex(const char* name) {
  return name ? theArchive().find(name) : PackmanArchive::NOT_FOUND;
}

int64_t packman_getFileSize(const char* name) {
  const uint32_t index = packman_getFileIndex(name);
  return index == PackmanArchive::NOT_FOUND ? -1 : static_cast<int64_t>(theArchive().entry(index).size());
}

int packman_getFile(const char* name, unsigned char* out) {
  const uint32_t index = packman_getFileIndex(name);
  return index != PackmanArchive::NOT_FOUND && theArchive().extract(index, out) ? 0 : 1;
}

uint32_t packman_getFileCount() { return theArchive().count(); }

const char* packman_getFileName(uint32_t index) {
  return index < theArchive().count() ? theArchive().entry(index).name.c_str() : nullptr;
}

int64_t packman_getFileSizeAt(uint32_t index) {
  return index < theArchive().count() ? static_cast<int64_t>(theArchive().entry(index).size()) : -1;
}
