#include "qnvutils/PnmDecoder.h"

bool PnmDecoder::decode(const unsigned char* bytes, std::size_t count, const ImageHeader::Pnm& header,
                        std::vector<unsigned char>& rgb) {
  PnmDecoder decoder(bytes, count, header);
  rgb.clear();
  if (decoder.readAll(rgb)) return true;
  rgb.clear();
  return false;
}

PnmDecoder::PnmDecoder(const unsigned char* b, std::size_t n, const ImageHeader::Pnm& h)
    : bytes(b), count(n), at(h.pixelOffset), header(h) {}

bool PnmDecoder::readAll(std::vector<unsigned char>& rgb) {
  const bool colour = header.kind == '3' || header.kind == '6';
  const uint64_t pixels = header.width * header.height;
  // A file holds at least one byte for every eight samples, so a header that promises more is
  // refused before anything is allocated for it.
  if (pixels == 0 || pixels / 8 > count) return false;
  rgb.reserve(static_cast<std::size_t>(pixels) * 3);
  for (uint64_t i = 0; i < pixels; ++i) {
    unsigned channel[3];
    if (!nextSample(channel[0])) return false;
    for (int c = 1; c < 3; ++c) {
      channel[c] = channel[0];
      if (colour && !nextSample(channel[c])) return false;
    }
    rgb.insert(rgb.end(), channel, channel + 3);
  }
  return true;
}

bool PnmDecoder::nextSample(unsigned& value) {
  if (header.kind == '1' || header.kind == '4') return nextBit(value);
  uint64_t raw = 0;
  if (header.kind <= '3') {
    unsigned text = 0;
    if (!nextTextSample(text)) return false;
    raw = text;
  } else if (header.maxValue > 255) {
    if (count - at < 2) return false;
    raw = static_cast<uint64_t>(bytes[at]) << 8 | bytes[at + 1];
    at += 2;
  } else {
    if (at >= count) return false;
    raw = bytes[at++];
  }
  if (raw > header.maxValue) return false;
  value = static_cast<unsigned>((raw * 255 + header.maxValue / 2) / header.maxValue);
  return true;
}

bool PnmDecoder::nextTextSample(unsigned& value) {
  while (at < count && (bytes[at] == ' ' || bytes[at] == '\t' || bytes[at] == '\n' || bytes[at] == '\r' ||
                        bytes[at] == '\v' || bytes[at] == '\f' || bytes[at] == '#')) {
    if (bytes[at] == '#') {
      while (at < count && bytes[at] != '\n') ++at;
    } else {
      ++at;
    }
  }
  if (at >= count || bytes[at] < '0' || bytes[at] > '9') return false;
  uint64_t number = 0;
  // Plain bitmaps may run their digits together ("0110"); other plain formats separate them.
  const bool oneDigit = header.kind == '1';
  do {
    number = number * 10 + (bytes[at++] - '0');
    if (number > 65535) return false;
  } while (!oneDigit && at < count && bytes[at] >= '0' && bytes[at] <= '9');
  value = static_cast<unsigned>(number);
  return true;
}

// Bitmaps store 1 for black.
bool PnmDecoder::nextBit(unsigned& value) {
  unsigned bit = 0;
  if (header.kind == '1') {
    if (!nextTextSample(bit) || bit > 1) return false;
  } else {
    if (bitsLeft == 0) {
      if (at >= count) return false;
      bitsLeft = 8;
      ++at;
    }
    --bitsLeft;
    bit = (bytes[at - 1] >> bitsLeft) & 1u;
    if (++column == header.width) {
      column = 0;
      bitsLeft = 0;
    }
  }
  value = bit ? 0 : 255;
  return true;
}
