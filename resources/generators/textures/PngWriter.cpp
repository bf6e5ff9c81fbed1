#include "resources/generators/textures/PngWriter.h"

#include <IL/il.h>

#include <vector>

namespace {

void initLibrary() {
  static const bool initialised = (ilInit(), true);
  (void)initialised;
}

}  // namespace

bool PngWriter::write(const Canvas& canvas, const std::string& path, std::string& error) {
  initLibrary();
  std::vector<unsigned char> bytes = canvas.toRgba8();
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  bool written = ilTexImage(static_cast<ILuint>(canvas.getWidth()), static_cast<ILuint>(canvas.getHeight()),
                            1, 4, IL_RGBA, IL_UNSIGNED_BYTE, bytes.data()) == IL_TRUE;
  // The rows are top-down; without this the library would store them upside down.
  ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
  ilEnable(IL_FILE_OVERWRITE);
  written = written && ilSave(IL_PNG, path.c_str()) == IL_TRUE;
  ilDeleteImages(1, &image);
  if (!written) error = "PngWriter: cannot write '" + path + "'\n";
  return written;
}
