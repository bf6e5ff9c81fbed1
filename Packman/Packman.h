// The engine's archive reader: one 7z archive per process, looked up by exact entry
// name (byte comparison, case-sensitive, "/" separators as stored, no "./" handling).
// Directories are not entries. Wrapped by the arc_ functions of qnvutils.
// Depends on: PackmanArchive.
#pragma once

#include <cstdint>

// 0 when the archive was read, 1 when it cannot be (then every lookup misses).
int packman_init(const char* path);
void packman_shutdown();
// Why the last packman_init failed; empty after a success.
const char* packman_getError();
// The entry's index, or 0xFFFFFFFF.
uint32_t packman_getFileIndex(const char* name);
// The entry's size in bytes, or -1 when there is no such entry.
int64_t packman_getFileSize(const char* name);
// Copies the entry into out (at least packman_getFileSize bytes): 0 on success,
// 1 for an unknown name or an entry that failed to decode or its CRC check.
int packman_getFile(const char* name, unsigned char* out);

// Listing, for tools: entries in stored order.
uint32_t packman_getFileCount();
const char* packman_getFileName(uint32_t index);  // null past the end
int64_t packman_getFileSizeAt(uint32_t index);    // -1 past the end
