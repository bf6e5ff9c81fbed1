// The shader pool: linked GLSL programs (Shader) by name. size() is the number of entries.
// Depends on: DataPool, PoolMap, Shader.
#pragma once

#include <string>

#include "demosys/render/Shader.h"
#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"

class DataShaderPool : public DataPool {
 public:
  void addShader(const std::string& name, Shader* shader) { shaders.add(name, shader); }
  Shader* getShader(const std::string& name) const { return shaders.get(name); }
  bool exists(const std::string& name) const { return shaders.contains(name); }
  int size() const override { return shaders.size(); }
  // Also prints the number of shaders on standard output.
  std::string toString() const override;

 private:
  PoolMap<Shader> shaders;
};
