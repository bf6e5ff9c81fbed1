// The engine's view of the resource archive: opens and closes it, and fills a
// File or an Image from the entry whose name is the file's or image's name.
// Depends on: Packman (the archive reader), File, Image.
#pragma once

#include <string>

class File;
class Image;

bool arc_load(const std::string& path);
void arc_close();
// Why the last arc_load failed, to follow the archive's name in a message.
std::string arc_getError();
// Appends the entry's bytes to file; true (and exists) when the entry was extracted.
bool arc_getFile(File* file);
// Decodes the entry into image; true when the entry was extracted (exists() tells
// whether it decoded); false and exists() false for a missing entry.
bool arc_getImage(Image* image);
