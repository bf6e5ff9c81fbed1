// The texture pool: textures by alias, plus which file each alias was loaded from
// (so one file is loaded once). size() counts add calls.
// Depends on: DataPool, PoolMap, Texture, QNVUtils (report numbers).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "demosys/render/Texture.h"
#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"

class DataTexturePool : public DataPool {
 public:
  ~DataTexturePool() override;

  void addTexture(const std::string& alias, Texture* texture);
  // Wraps an OpenGL texture name that already exists, made from fileName.
  void addTexture(const std::string& alias, const std::string& fileName, unsigned int textureName);
  Texture* getTexture(const std::string& alias) const { return textures.get(alias); }
  bool exist(const std::string& alias) const { return textures.contains(alias); }
  bool isFileInPool(const std::string& fileName) const { return filemap.count(fileName) != 0; }
  // The OpenGL texture name; 0 (no texture) for an alias or file not in the pool.
  unsigned int getTextureIDbyAlias(const std::string& alias) const;
  unsigned int getTextureIDbyFilename(const std::string& fileName) const;
  // OpenGL texture names in alias order.
  std::vector<unsigned int> getTexVector() const;
  std::map<std::string, std::string> getFilemap() const { return filemap; }
  const std::map<std::string, Texture*>& getTextureMap() const { return textures.map(); }
  int64_t getTextureTotalFilesize() const;
  int64_t getTextureTotalMemsize() const;
  int size() const override { return numTextures; }
  std::string toString() const override;

 private:
  // A replaced texture's file no longer leads to this alias.
  void forgetFileOf(const std::string& alias);

  PoolMap<Texture> textures;
  std::map<std::string, std::string> filemap;  // file name -> alias
  int numTextures = 0;
};
