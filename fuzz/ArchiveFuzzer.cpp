// Arbitrary bytes as a resource archive: opening must fail cleanly or give entries that
// each either extract in full or report failure.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Packman/PackmanArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PackmanArchive archive;
  if (!archive.openMemory(data, size)) return 0;
  std::vector<unsigned char> out;
  for (uint32_t i = 0; i < archive.count(); ++i) {
    const PackmanArchive::Entry& entry = archive.entry(i);
    out.assign(entry.size(), 0);
    archive.extract(i, out.data());
    if (archive.find(entry.name) > i) __builtin_trap();  // the first entry of a name wins
  }
  return 0;
}
