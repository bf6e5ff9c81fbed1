// QNVSceneLoader: scene files are refused until the scene format is read.
#include "demosys/scene/QNVSceneLoader.h"

QNVSceneLoader::QNVSceneLoader(const std::string& name) : fileName(name) {}

QNVScene* QNVSceneLoader::loadScene() {
  valid = false;
  errorMessage = "Failed to load scene!\nFile : '" + fileName + "'\nScene files are not supported yet\n";
  return nullptr;
}
