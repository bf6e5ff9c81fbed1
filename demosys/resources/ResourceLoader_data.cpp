// ResourceLoader: the data-file stages, in their fixed order (shaders, framebuffers, scenes, images,
// shader cache, binary data, camera paths).
#include <GL/glew.h>

#include <iostream>
#include <map>
#include <memory>
#include <vector>

#include "demosys/camera/Animation.h"
#include "demosys/camera/AnimationParser.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/ShaderCache.h"
#include "demosys/render/Texture.h"
#include "demosys/render/TextureLoader.h"
#include "demosys/resources/Binary.h"
#include "demosys/resources/DataAnimationPool.h"
#include "demosys/resources/DataBinaryPool.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/resources/ResourceLoader.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "qnvutils/QNVUtils.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

namespace {

std::vector<std::string> commaItems(const std::string& value) {
  StringTokenizer tokens(value, ",");
  std::vector<std::string> items;
  while (tokens.hasMoreTokens()) items.push_back(StringUtils::trim(tokens.getNext()));
  return items;
}

}  // namespace

bool ResourceLoader::loadDataFiles() {
  if (!shaderLoader.loadShaders(*QNVDemosys::parameters, *QNVDemosys::shaderPool)) return false;
  if (!createFramebuffers() || !loadScenes() || !loadImages()) return false;
  mapSceneTextures();
  initShaderCache();
  return loadBinaries() && loadAnimations();
}

bool ResourceLoader::createFramebuffers() {
  std::cout << "[Creating FramebufferObjects]" << std::endl;
  ParameterGroup* group = systemGroup("framebuffers");
  if (group == nullptr) {
    std::cout << "No framebuffers to create" << std::endl;
    return true;
  }
  for (int i = 0; i < group->size(); ++i) {
    if (!createFramebuffer(group->getKey(i), group->getValue(i))) return false;
  }
  return true;
}

bool ResourceLoader::framebufferSize(const std::string& key, const std::string& item, bool isWidth,
                                     int& size) {
  const char* word = isWidth ? "width" : "height";
  if (item == word) {
    size = isWidth ? QNVDemosys::screenMetrics->getWidth() : QNVDemosys::screenMetrics->getHeight();
    return true;
  }
  if (StringUtils::isInt(item)) {
    size = QNVUtils::string2Int(item);
    return true;
  }
  return fail(std::string("Frambuffer ") + word + " is not an int\n" + "FBO: " + key + "\n" +
              "value : " + item + "\n" + "Valid syntax: '" + word + "' or unsinged integer");
}

bool ResourceLoader::createFramebuffer(const std::string& key, const std::string& value) {
  std::vector<std::string> items = commaItems(value);
  if (items.size() < 3 || items.size() > 5) {
    return fail("Wrong number of parameters in framebuffer block\nFramebuffer: " + key + "\n" +
                "defined as : " + value + "\n" +
                "Valid syntax: width, height, COLOR_BUFFER [,DEPTH_BUFFER][,STENCIL_BUFFER]");
  }
  int width = 0;
  int height = 0;
  if (!framebufferSize(key, items[0], true, width) || !framebufferSize(key, items[1], false, height)) {
    return false;
  }
  static const char* const words[] = {"COLOR_BUFFER", "DEPTH_BUFFER", "STENCIL_BUFFER"};
  for (size_t i = 2; i < items.size(); ++i) {
    if (items[i] != words[i - 2]) {
      return fail("Wrong parameter for framebuffer '" + key + "'\n" + "value: '" + items[i] + "'\n" +
                  "expected : '" + words[i - 2] + "'\n");
    }
  }
  auto* fbo = new FrameBufferObject(width, height, items.size() > 3, items.size() > 4);
  if (verbose)
    std::cout << "Created '" << key << "' with options '" << value << "' : object -> " << fbo->toString()
              << std::endl;
  if (fbo->isValid()) {
    fbo->bind();
    fbo->clear();
    fbo->release();
  }
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  QNVDemosys::fboPool->addFBO(key, fbo);
  return true;
}

bool ResourceLoader::loadScenes() {
  std::cout << "[Loading 3D Objects]" << std::endl;
  ParameterGroup* group = systemGroup("objects");
  if (group == nullptr) {
    std::cout << "No objects" << std::endl;
    return true;
  }
  std::string directory = systemValue("paths", "object");
  // Entries naming the same file share one scene, so what one effect changes on it (visibility,
  // animation timers, the shader cache's instances) shows wherever another draws it. The pool
  // deletes a shared scene once.
  std::map<std::string, QNVScene*> loaded;
  for (int i = 0; i < group->size(); ++i) {
    std::vector<std::string> items = commaItems(group->getValue(i));
    std::string path = directory + (items.empty() ? "" : items[0]);
    std::cout << "Loading : '" << path << std::endl;
    QNVScene*& scene = loaded[path];
    if (scene == nullptr) {
      QNVSceneLoader loader(path);
      scene = loader.loadScene();
      if (!loader.isValid()) return fail(loader.getErrorMessage());
    }
    QNVDemosys::objectPool->addObject(group->getKey(i), scene);
    tickProgress();
  }
  return true;
}

bool ResourceLoader::loadImages() {
  std::cout << "[Loading Graphics]" << std::endl;
  ParameterGroup* group = systemGroup("graphics");
  if (group == nullptr) {
    std::cout << "No texture data" << std::endl;
    return true;
  }
  std::string directory = systemValue("paths", "gfx");
  for (int i = 0; i < group->size(); ++i) {
    if (!loadImage(group->getKey(i), group->getValue(i), directory)) return false;
    tickProgress();
  }
  return true;
}

bool ResourceLoader::loadImage(const std::string& key, const std::string& value,
                               const std::string& directory) {
  TextureEntry entry;
  std::string error;
  if (!TextureLoader::parseEntry(value, entry, error)) return fail(error);
  if (QNVDemosys::texturePool->isFileInPool(entry.file)) return true;
  std::string path = directory + entry.file;
  std::cout << "Load : " << path << std::endl;
  Texture* texture = QNVIO::loadTexture(path, entry.type, entry.mipmap);
  if (texture == nullptr) return fail("Failed to load texture!\nFile : '" + path + "'");
  texture->setFilename(entry.file);
  QNVDemosys::texturePool->addTexture(key, texture);
  return true;
}

// Scene materials name their textures by file; the texture pool holds them only now.
void ResourceLoader::mapSceneTextures() {
  for (const auto& entry : QNVDemosys::objectPool->getObjectMap()) entry.second->mapTextureData();
}

void ResourceLoader::initShaderCache() {
  if (QNVDemosys::shaderCache == nullptr) QNVDemosys::shaderCache = new ShaderCache();
  QNVDemosys::shaderCache->init();
}

bool ResourceLoader::loadBinaries() {
  std::cout << "[Loading Binary Data]" << std::endl;
  ParameterGroup* group = systemGroup("binary");
  if (group == nullptr) {
    std::cout << "No binary data" << std::endl;
    return true;
  }
  std::string directory = systemValue("paths", "misc");
  for (int i = 0; i < group->size(); ++i) {
    std::string path = directory + group->getValue(i);
    std::cout << "Loading binary : '" << path << "'" << std::endl;
    Binary* binary = QNVIO::loadBinary(path);
    if (binary == nullptr) return fail("Failed to binary data!\nFile : '" + path + "'");
    QNVDemosys::binaryPool->addData(group->getKey(i), binary);
  }
  return true;
}

bool ResourceLoader::loadAnimations() {
  std::cout << "[Loading Animation Data]" << std::endl;
  ParameterGroup* group = systemGroup("animation");
  if (group == nullptr) {
    std::cout << "No animation data" << std::endl;
    return true;
  }
  std::string directory = systemValue("paths", "misc");
  for (int i = 0; i < group->size(); ++i) {
    std::string path = directory + group->getValue(i);
    AnimationParser animationParser(path);
    Animation* animation = animationParser.parse();
    if (!animationParser.isValid()) return fail(animationParser.getErrorMessage());
    QNVDemosys::animationPool->addAnimation(group->getKey(i), animation);
    std::cout << "Loaded '" << path << "' using alias " << group->getKey(i) << std::endl;
    tickProgress();
  }
  return true;
}
