// Reads one camera-path file ("QNVANI1" header, a keyframe count, then a "pos x y z" and a
// "rot pitch heading" line per keyframe; the label words are not looked at) into an Animation for
// the animation pool. A count beyond the lines present and numbers beyond the float range are
// refused rather than turned into made-up keyframes.
// Depends on: Animation, QNVIO (the file), StringTokenizer, StringUtils, QNVUtils.
#pragma once

#include <string>

class Animation;

class AnimationParser {
 public:
  explicit AnimationParser(const std::string& fileName);
  // The path read, owned by the caller; null when the parser is not valid afterwards.
  Animation* parse();
  // The same from the file's text, already read.
  Animation* parseText(const std::string& text);
  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

 private:
  Animation* fail(const std::string& reason);
  bool readNumbers(const std::string& line, int lineNumber, float* values, int count);

  std::string fileName;
  std::string errorMessage;
  bool valid = true;
};
