#include "qnvutils/File.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

File::File(const std::string& filename) : filename(filename) {}

File::File(const std::string& filename, int mode) : filename(filename), mode(mode) { open(); }

File::File(const char* filename, int mode) : File(std::string(filename ? filename : ""), mode) {}

File::~File() {
  if (stream) std::fclose(stream);
}

void File::open() {
  const bool writing = mode == MODE_WRITE || mode == MODE_WRITE_TRUNCATE;
  stream = std::fopen(filename.c_str(), mode == MODE_APPEND ? "ab" : writing ? "wb" : "rb");
  found = stream != nullptr;
  if (found && mode != MODE_APPEND && !writing) readStream();
}

void File::readStream() {
  unsigned char block[64 * 1024];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, stream)) > 0) data.insert(data.end(), block, block + got);
}

uint32_t File::remaining() const {
  return readOffset < data.size() ? static_cast<uint32_t>(data.size() - readOffset) : 0;
}

void File::readBytes(unsigned char* out, std::size_t count) {
  const std::size_t available = std::min<std::size_t>(count, remaining());
  if (available > 0) std::memcpy(out, data.data() + readOffset, available);
  std::memset(out + available, 0, count - available);
  if (available < count) {
    overran = true;
    readOffset = static_cast<uint32_t>(std::max<std::size_t>(readOffset, data.size()));
  } else {
    readOffset += static_cast<uint32_t>(count);
  }
}

uint32_t File::readUInt32() {
  unsigned char b[4];
  readBytes(b, 4);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

char File::readChar() {
  unsigned char b;
  readBytes(&b, 1);
  return static_cast<char>(b);
}

int32_t File::readInt() { return static_cast<int32_t>(readUInt32()); }

float File::readFloat() {
  const uint32_t bits = readUInt32();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string File::readString() {
  std::string text;
  for (char c = readChar(); c != '\0'; c = readChar()) text += c;
  return text.empty() ? "Object" : text;
}

std::string File::readString(int count) {
  if (count < 0) {
    overran = true;
    return "";
  }
  // Only the bytes that exist: a count read from a damaged file must not size an allocation.
  std::string text(std::min<std::size_t>(static_cast<std::size_t>(count), remaining()), '\0');
  readBytes(reinterpret_cast<unsigned char*>(&text[0]), text.size());
  if (text.size() < static_cast<std::size_t>(count)) overran = true;
  return text;
}

std::string File::getAsString() const { return std::string(data.begin(), data.end()); }

std::vector<std::string> File::getAsLines() const {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const char c = static_cast<char>(data[i]);
    const bool crlf = c == '\r' && i + 1 < data.size() && data[i + 1] == '\n';
    if (c == '\n' || crlf) {
      lines.push_back(line);
      line.clear();
      if (crlf) ++i;
    } else {
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

std::vector<char> File::get() const { return std::vector<char>(data.begin(), data.end()); }

std::vector<unsigned char> File::getUnsigned() const { return data; }

void File::put(unsigned char value) { data.push_back(value); }

void File::put(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<unsigned char>(value >> shift));
}

void File::put(int32_t value) { put(static_cast<uint32_t>(value)); }

void File::put(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  put(bits);
}

void File::put(const std::string& text) { data.insert(data.end(), text.begin(), text.end()); }

void File::put(const unsigned char* bytes, std::size_t count) {
  if (count > 0) data.insert(data.end(), bytes, bytes + count);
}

bool File::write() {
  if (!stream) return false;
  const bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), stream) == data.size();
  const bool closed = std::fclose(stream) == 0;
  stream = nullptr;
  return written && closed;
}

bool File::exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}
