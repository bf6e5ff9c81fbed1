// ShaderCache: owned, named shader instances.
#include "demosys/render/ShaderCache.h"

#include "demosys/render/ShaderInstance.h"

ShaderCache::~ShaderCache() {
  for (auto& entry : instances) delete entry.second;
}

ShaderInstance* ShaderCache::getShaderInstance(const std::string& name) const {
  auto it = instances.find(name);
  return it == instances.end() ? nullptr : it->second;
}

void ShaderCache::addShaderInstance(const std::string& name, ShaderInstance* instance) {
  instances[name] = instance;
}
