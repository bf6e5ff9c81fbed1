// Reads one camera-path file into an Animation for the animation pool. The path format is not
// read yet: every parse reports that camera paths are not supported, so a script naming them stops
// loading with a clear message instead of running without them.
// Depends on: Animation.
#pragma once

#include <string>

class Animation;

class AnimationParser {
 public:
  explicit AnimationParser(const std::string& fileName);
  // The path read, owned by the caller; null when the parser is not valid afterwards.
  Animation* parse();
  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

 private:
  std::string fileName;
  std::string errorMessage;
  bool valid = true;
};
