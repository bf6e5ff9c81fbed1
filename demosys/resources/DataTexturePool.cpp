#include "demosys/resources/DataTexturePool.h"

#include <iostream>

#include "qnvutils/QNVUtils.h"

namespace {

std::string megabytes(int64_t bytes) {
  return QNVUtils::float2string(static_cast<float>(bytes) / 1048576.0f);
}

}  // namespace

DataTexturePool::~DataTexturePool() { std::cout << "[Dispose texturePool]" << std::endl; }

void DataTexturePool::addTexture(const std::string& alias, Texture* texture) {
  ++numTextures;
  forgetFileOf(alias);
  textures.add(alias, texture);
  if (texture) filemap[texture->getFilename()] = alias;
}

void DataTexturePool::addTexture(const std::string& alias, const std::string& fileName,
                                 unsigned int textureName) {
  addTexture(alias, new Texture(fileName, textureName));
}

void DataTexturePool::forgetFileOf(const std::string& alias) {
  const Texture* old = textures.get(alias);
  if (!old) return;
  auto file = filemap.find(old->getFilename());
  if (file != filemap.end() && file->second == alias) filemap.erase(file);
}

unsigned int DataTexturePool::getTextureIDbyAlias(const std::string& alias) const {
  const Texture* texture = textures.get(alias);
  return texture ? texture->getID() : 0;
}

unsigned int DataTexturePool::getTextureIDbyFilename(const std::string& fileName) const {
  auto file = filemap.find(fileName);
  return file == filemap.end() ? 0 : getTextureIDbyAlias(file->second);
}

std::vector<unsigned int> DataTexturePool::getTexVector() const {
  std::vector<unsigned int> names;
  for (const auto& entry : textures.map()) names.push_back(entry.second->getID());
  return names;
}

int64_t DataTexturePool::getTextureTotalFilesize() const {
  int64_t total = 0;
  for (const auto& entry : textures.map()) total += entry.second->getFileSize();
  return total;
}

int64_t DataTexturePool::getTextureTotalMemsize() const {
  int64_t total = 0;
  for (const auto& entry : textures.map()) total += entry.second->getMemorySize();
  return total;
}

std::string DataTexturePool::toString() const {
  const int64_t memory = getTextureTotalMemsize();
  const int64_t files = getTextureTotalFilesize();
  std::string text = "DataTexturePool {\n";
  text += "    total memory size : " + megabytes(memory) + " MB - " + std::to_string(memory) + " bytes\n";
  text += "    total file size : " + megabytes(files) + " mb - " + std::to_string(files) + " bytes\n";
  text += "    numTextures = " + QNVUtils::int2string(numTextures) + "\n";
  for (const auto& entry : textures.map()) text += "    " + entry.first + " = " + entry.second->toString();
  return text + "}\n";
}
