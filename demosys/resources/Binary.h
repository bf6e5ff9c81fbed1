// Raw bytes of a binary resource for effects, with a view of them as floats in [0, 1).
// Owned by the binary pool once loaded.
// Depends on: QNVUtils (report numbers).
#pragma once

#include <memory>
#include <string>
#include <vector>

class Binary {
 public:
  explicit Binary(const std::vector<unsigned char>& bytes);

  int size() const { return static_cast<int>(data.size()); }
  // The byte at index; 0 outside the data.
  unsigned char getData(int index) const;
  // Every byte / 256, made on first request and kept; owned by this Binary.
  const float* getFloatData();
  // A new array (owned by the caller) of count values byte[start + k] / 256; bytes
  // outside the data read as 0. Null for a negative count.
  float* getFloatData(int start, int count) const;
  std::string getString(int start, int count) const;
  std::string toString() const;

 private:
  std::vector<unsigned char> data;
  std::unique_ptr<float[]> floatData;
};
