// Tool helpers: command-line times and sizes, PNG output.
#include "tools/ToolSupport.h"

#include <IL/il.h>

#include "demosys/timeline/Time.h"
#include "qnvutils/StringUtils.h"

bool parseTime(const std::string& text, unsigned& ms) {
  if (StringUtils::isInt(text) && text[0] != '-') {
    ms = static_cast<unsigned>(std::stoul(text));
    return true;
  }
  Time time(text);
  ms = time.getTicks();
  return time.isValid();
}

bool parseSize(const std::string& text, int& width, int& height) {
  std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  std::string w = text.substr(0, x);
  std::string h = text.substr(x + 1);
  if (!StringUtils::isInt(w) || !StringUtils::isInt(h)) return false;
  width = std::stoi(w);
  height = std::stoi(h);
  return width > 0 && height > 0 && width <= 8192 && height <= 8192;
}

// DevIL takes the rows bottom-up, as GL gives them, and writes the file top-down.
bool savePNG(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb) {
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
             const_cast<unsigned char*>(rgb.data()));
  ilEnable(IL_FILE_OVERWRITE);
  bool saved = ilSave(IL_PNG, path.c_str()) == IL_TRUE;
  ilDeleteImages(1, &image);
  return saved;
}
