#include "Packman/PackmanArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t READ_BLOCK = 64 * 1024;
// Header sizes above this are not trusted for allocating up front; such entries grow as read.
constexpr uint64_t PRESIZE_LIMIT = 16 * 1024 * 1024;

archive* newReader() {
  archive* reader = archive_read_new();
  archive_read_support_format_7zip(reader);
  return reader;
}

bool isSuccess(int status) { return status == ARCHIVE_OK || status == ARCHIVE_WARN; }

// A name libarchive can give in UTF-8 (7z stores UTF-16), else in the locale's charset.
const char* entryName(archive_entry* header) {
  const char* name = archive_entry_pathname_utf8(header);
  return name ? name : archive_entry_pathname(header);
}

}  // namespace

bool PackmanArchive::open(const std::string& path) {
  close();
  archive* reader = newReader();
  opened = archive_read_open_filename(reader, path.c_str(), READ_BLOCK) == ARCHIVE_OK && readAll(reader);
  archive_read_free(reader);
  if (!opened) close();
  return opened;
}

bool PackmanArchive::openMemory(const void* bytes, std::size_t size) {
  close();
  archive* reader = newReader();
  opened = archive_read_open_memory(reader, bytes, size) == ARCHIVE_OK && readAll(reader);
  archive_read_free(reader);
  if (!opened) close();
  return opened;
}

void PackmanArchive::close() {
  opened = false;
  entries.clear();
  byName.clear();
  decodedBytes = 0;
}

// Walks every header and decodes every entry's data in one forward pass. Data is
// always read, never skipped: libarchive 3.6 loses its place in a solid block when
// asked to skip an entry whose size is a multiple of 64 KiB.
bool PackmanArchive::readAll(archive* reader) {
  archive_entry* header = nullptr;
  int status;
  while (isSuccess(status = archive_read_next_header(reader, &header))) {
    Entry entry;
    const char* name = entryName(header);
    const int64_t declared = archive_entry_size_is_set(header) ? archive_entry_size(header) : -1;
    if (!readEntryData(reader, declared, entry)) return false;
    if (archive_entry_filetype(header) != AE_IFREG || name == nullptr) continue;
    entry.name = name;
    byName.emplace(entry.name, count());
    entries.push_back(std::move(entry));
  }
  return status == ARCHIVE_EOF;
}

// Reads the entry's bytes, sized up front by the header when it gives a plausible size.
// A bad CRC (a warning) or a size other than the header's marks the entry damaged; a
// fatal error or more data than an archive may hold ends the whole read.
bool PackmanArchive::readEntryData(archive* reader, int64_t declaredSize, Entry& entry) {
  const uint64_t room = MAX_DECODED_BYTES - decodedBytes;
  std::vector<unsigned char>& bytes = entry.bytes;
  if (declaredSize > 0) bytes.reserve(std::min({static_cast<uint64_t>(declaredSize), room, PRESIZE_LIMIT}));
  entry.intact = true;
  for (;;) {
    const std::size_t used = bytes.size();
    const std::size_t want = std::max<std::size_t>(bytes.capacity() - used, READ_BLOCK);
    if (used + want > room) return false;
    bytes.resize(used + want);
    const la_ssize_t got = archive_read_data(reader, bytes.data() + used, want);
    bytes.resize(used + (got > 0 ? static_cast<std::size_t>(got) : 0));
    if (got == 0) break;
    if (got < 0) {
      if (got != ARCHIVE_WARN) return false;
      entry.intact = false;
      break;
    }
  }
  decodedBytes += bytes.size();
  entry.intact = entry.intact && (declaredSize < 0 || static_cast<uint64_t>(declaredSize) == bytes.size());
  return true;
}

uint32_t PackmanArchive::find(const std::string& name) const {
  const auto found = byName.find(name);
  return found == byName.end() ? NOT_FOUND : found->second;
}

bool PackmanArchive::extract(uint32_t index, unsigned char* out) const {
  if (index >= count() || !entries[index].intact) return false;
  const std::vector<unsigned char>& bytes = entries[index].bytes;
  if (bytes.empty()) return true;
  if (!out) return false;
  std::memcpy(out, bytes.data(), bytes.size());
  return true;
}
