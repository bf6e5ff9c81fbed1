// A whole 7z archive decoded once into memory: the entry table (names as stored)
// with each entry's bytes. libarchive only streams forward, so the archive is read
// in a single pass when opened and every later request is a table lookup and a
// copy; a solid block is never decoded twice.
// Depends on: libarchive (7-Zip reader, which also checks each entry's CRC).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct archive;

class PackmanArchive {
 public:
  static constexpr uint32_t NOT_FOUND = 0xFFFFFFFFu;
  // Decoded bytes of one archive beyond this make it unusable (corrupt or hostile sizes).
  static constexpr uint64_t MAX_DECODED_BYTES = 1ull << 30;

  struct Entry {
    std::string name;
    std::vector<unsigned char> bytes;  // for a damaged entry, those decoded before the damage
    bool intact = false;               // decoded completely and its CRC matched
    uint64_t size() const { return bytes.size(); }
  };

  // Both forget what was open before. False (and nothing open) when the archive
  // cannot be read through to its end: not a 7z, truncated, or a damaged block.
  bool open(const std::string& path);
  bool openMemory(const void* bytes, std::size_t size);
  void close();

  bool isOpen() const { return opened; }
  // Why the last open failed (libarchive's words, or the size limit); empty after a success.
  const std::string& getError() const { return error; }
  uint32_t count() const { return static_cast<uint32_t>(entries.size()); }
  const Entry& entry(uint32_t index) const { return entries[index]; }
  // Index of the first regular-file entry stored under exactly this name, or NOT_FOUND.
  uint32_t find(const std::string& name) const;
  // Copies the entry's bytes to out (room for entry(index).size bytes). False for a
  // bad index or an entry that failed to decode or failed its CRC check.
  bool extract(uint32_t index, unsigned char* out) const;

 private:
  bool finishOpen(archive* reader, bool streamOpened);
  bool readAll(archive* reader);
  bool failRead(archive* reader);
  bool readEntryData(archive* reader, int64_t declaredSize, Entry& entry);

  bool opened = false;
  std::vector<Entry> entries;
  std::unordered_map<std::string, uint32_t> byName;
  uint64_t decodedBytes = 0;
  std::string error;
};
