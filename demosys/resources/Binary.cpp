#include "demosys/resources/Binary.h"

#include "qnvutils/QNVUtils.h"

Binary::Binary(const std::vector<unsigned char>& bytes) : data(bytes) {}

unsigned char Binary::getData(int index) const {
  return index >= 0 && index < size() ? data[static_cast<std::size_t>(index)] : 0;
}

const float* Binary::getFloatData() {
  if (!floatData) floatData.reset(getFloatData(0, size()));
  return floatData.get();
}

float* Binary::getFloatData(int start, int count) const {
  if (count < 0) return nullptr;
  float* values = new float[static_cast<std::size_t>(count)];
  for (int k = 0; k < count; ++k) {
    const long long index = static_cast<long long>(start) + k;
    values[k] = index >= 0 && index < size() ? data[static_cast<std::size_t>(index)] / 256.0f : 0.0f;
  }
  return values;
}

std::string Binary::getString(int, int) const { return ""; }

std::string Binary::toString() const { return "Binary { size = " + QNVUtils::int2string(size()) + " }\n"; }
