// A whole resource in memory with a read cursor and little-endian readers, or a
// buffer of bytes to be written to disk. Files come from disk (the mode
// constructors) or are filled from the archive (the name-only constructor, then Arc).
// Reading past the end never leaves the data: missing bytes read as zero and the
// file remembers the overrun, so loaders can turn it into one clear error.
// Depends on: the C standard I/O library only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class File {
 public:
  static constexpr int MODE_READ = 0;
  static constexpr int MODE_APPEND = 1;
  static constexpr int MODE_WRITE = 2;
  static constexpr int MODE_WRITE_TRUNCATE = 3;

  // A memory file: nothing opened, exists() false until something fills it.
  explicit File(const std::string& filename);
  // Opens a disk file in binary mode; an unknown mode reads.
  File(const std::string& filename, int mode);
  File(const char* filename, int mode);
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  char readChar();
  int32_t readInt();
  float readFloat();
  // Up to and including a zero byte, returned without it; "Object" when the first byte is zero.
  std::string readString();
  // Exactly count bytes; past the end only the bytes that exist (and overrun() is set).
  std::string readString(int count);

  std::string getAsString() const;
  // Lines ended by CR LF or LF; a lone CR stays in its line; the last line is always added.
  std::vector<std::string> getAsLines() const;
  std::vector<char> get() const;
  std::vector<unsigned char> getUnsigned() const;

  void put(unsigned char value);
  void put(uint32_t value);
  void put(int32_t value);
  void put(float value);
  void put(const std::string& text);
  void put(const unsigned char* bytes, std::size_t count);
  // Writes the whole data to the open stream and closes it; false when there is
  // no open stream or the write fails.
  bool write();

  bool exists() const { return found; }
  void exists(bool flag) { found = flag; }
  static bool exists(const std::string& path);
  static bool exists(const char* path) { return exists(std::string(path ? path : "")); }
  std::string getFilename() const { return filename; }
  uint32_t getFileSize() const { return static_cast<uint32_t>(data.size()); }
  uint32_t getReadOffset() const { return readOffset; }
  void setReadOffset(uint32_t offset) { readOffset = offset; }
  uint32_t getWriteOffset() const { return static_cast<uint32_t>(data.size()); }

  // Bytes between the read cursor and the end of the data.
  uint32_t remaining() const;
  // True once any read wanted bytes past the end; stays set.
  bool overrun() const { return overran; }

 private:
  void open();
  void readStream();
  // Copies count bytes at the cursor into out, zero-filling what lies past the end.
  void readBytes(unsigned char* out, std::size_t count);
  uint32_t readUInt32();

  std::string filename;
  std::vector<unsigned char> data;
  std::FILE* stream = nullptr;
  int mode = MODE_READ;
  uint32_t readOffset = 0;
  bool found = false;
  bool overran = false;
};
