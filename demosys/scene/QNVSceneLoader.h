// Reads one scene file into a QNVScene for the object pool. The binary scene format is not read
// yet: every load reports that scenes are not supported, so a script naming scenes stops loading
// with a clear message instead of running without them.
// Depends on: QNVScene.
#pragma once

#include <string>

class QNVScene;

class QNVSceneLoader {
 public:
  explicit QNVSceneLoader(const std::string& fileName);
  // The scene read, owned by the caller; null when the loader is not valid afterwards.
  QNVScene* loadScene();
  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

 private:
  std::string fileName;
  std::string errorMessage;
  bool valid = true;
};
