#include "Packman/PackmanArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstring>

namespace {

constexpr std::size_t READ_BLOCK = 64 * 1024;

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
  decoded.clear();
  decoded.shrink_to_fit();
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
    entry.name = name ? name : "";
    entry.offset = decoded.size();
    const bool isFile = archive_entry_filetype(header) == AE_IFREG && name != nullptr;
    const int64_t declared = archive_entry_size_is_set(header) ? archive_entry_size(header) : -1;
    if (!readEntryData(reader, entry)) return false;
    if (!isFile) {
      decoded.resize(entry.offset);
      continue;
    }
    entry.intact = entry.intact && (declared < 0 || static_cast<uint64_t>(declared) == entry.size);
    byName.emplace(entry.name, count());
    entries.push_back(std::move(entry));
  }
  return status == ARCHIVE_EOF;
}

// Appends the entry's bytes to the decoded buffer. A bad CRC (a warning) leaves the
// entry marked damaged; a fatal error or an oversized archive ends the whole read.
bool PackmanArchive::readEntryData(archive* reader, Entry& entry) {
  entry.intact = true;
  for (;;) {
    const std::size_t used = decoded.size();
    if (used + READ_BLOCK > MAX_DECODED_BYTES) return false;
    decoded.resize(used + READ_BLOCK);
    const la_ssize_t got = archive_read_data(reader, decoded.data() + used, READ_BLOCK);
    decoded.resize(used + (got > 0 ? static_cast<std::size_t>(got) : 0));
    if (got == 0) break;
    if (got < 0) {
      if (got != ARCHIVE_WARN) return false;
      entry.intact = false;
      break;
    }
  }
  entry.size = decoded.size() - entry.offset;
  return true;
}

uint32_t PackmanArchive::find(const std::string& name) const {
  const auto found = byName.find(name);
  return found == byName.end() ? NOT_FOUND : found->second;
}

bool PackmanArchive::extract(uint32_t index, unsigned char* out) const {
  if (index >= count() || !entries[index].intact) return false;
  const Entry& e = entries[index];
  if (e.size == 0) return true;
  if (!out) return false;
  std::memcpy(out, decoded.data() + e.offset, e.size);
  return true;
}
