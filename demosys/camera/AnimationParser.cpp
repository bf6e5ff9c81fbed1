// AnimationParser: camera-path files are refused until the path format is read.
#include "demosys/camera/AnimationParser.h"

AnimationParser::AnimationParser(const std::string& name) : fileName(name) {}

Animation* AnimationParser::parse() {
  valid = false;
  errorMessage =
      "Failed to load camera path!\nFile : '" + fileName + "'\nCamera paths are not supported yet\n";
  return nullptr;
}
