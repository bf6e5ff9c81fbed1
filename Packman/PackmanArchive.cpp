#include "Packman/PackmanArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

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

// Appends the next piece of entry data to bytes, into spare capacity when there is
// some, else through a scratch block (so reaching the end never reallocates).
// Returns the byte count, 0 at the end of the entry, or a negative libarchive status.
la_ssize_t readPiece(archive* reader, std::vector<unsigned char>& bytes) {
  const std::size_t used = bytes.size();
  if (bytes.capacity() == used) {
    unsigned char scratch[READ_BLOCK];
    const la_ssize_t got = archive_read_data(reader, scratch, sizeof scratch);
    if (got > 0) bytes.insert(bytes.end(), scratch, scratch + got);
    return got;
  }
  bytes.resize(bytes.capacity());
  const la_ssize_t got = archive_read_data(reader, bytes.data() + used, bytes.size() - used);
  bytes.resize(used + (got > 0 ? static_cast<std::size_t>(got) : 0));
  return got;
}

}  // namespace

bool PackmanArchive::open(const std::string& path) {
  close();
  archive* reader = newReader();
  return finishOpen(reader, archive_read_open_filename(reader, path.c_str(), READ_BLOCK) == ARCHIVE_OK);
}

bool PackmanArchive::openMemory(const void* bytes, std::size_t size) {
  close();
  archive* reader = newReader();
  return finishOpen(reader, archive_read_open_memory(reader, bytes, size) == ARCHIVE_OK);
}

// Reads the whole archive once its stream is open; keeps libarchive's reason when it fails.
bool PackmanArchive::finishOpen(archive* reader, bool streamOpened) {
  opened = streamOpened ? readAll(reader) : failRead(reader);
  const std::string reason = error;
  archive_read_free(reader);
  if (!opened) close();
  error = reason;
  return opened;
}

bool PackmanArchive::failRead(archive* reader) {
  if (error.empty()) {
    const char* reason = archive_error_string(reader);
    error = reason && *reason ? reason : "damaged or cut short";
  }
  return false;
}

void PackmanArchive::close() {
  opened = false;
  entries.clear();
  byName.clear();
  decodedBytes = 0;
  error.clear();
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
    if (!readEntryData(reader, declared, entry)) return failRead(reader);
    if (archive_entry_filetype(header) != AE_IFREG || name == nullptr) continue;
    entry.name = name;
    byName.emplace(entry.name, count());
    entries.push_back(std::move(entry));
  }
  return status == ARCHIVE_EOF || failRead(reader);
}

// Reads the entry's bytes: straight into room reserved from the header's size when that
// is plausible. A bad CRC (a warning) or a size other than the header's marks the entry
// damaged; a fatal error or more data than an archive may hold ends the whole read.
bool PackmanArchive::readEntryData(archive* reader, int64_t declaredSize, Entry& entry) {
  const uint64_t room = MAX_DECODED_BYTES - decodedBytes;
  std::vector<unsigned char>& bytes = entry.bytes;
  if (declaredSize > 0) bytes.reserve(std::min({static_cast<uint64_t>(declaredSize), room, PRESIZE_LIMIT}));
  la_ssize_t got;
  while ((got = readPiece(reader, bytes)) > 0) {
    if (bytes.size() > room) {
      error = "holds more than " + std::to_string(MAX_DECODED_BYTES >> 20) + " MiB of data";
      return false;
    }
  }
  if (got < 0 && got != ARCHIVE_WARN) return false;
  decodedBytes += bytes.size();
  entry.intact = got == 0 && (declaredSize < 0 || static_cast<uint64_t>(declaredSize) == bytes.size());
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
