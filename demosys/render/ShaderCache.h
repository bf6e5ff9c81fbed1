// Named shader instances, owned by the cache. The application may install a subclass whose init()
// builds its instances from the loaded pools and hands them to scene objects; the loader calls
// init() once after everything is loaded.
// Depends on: ShaderInstance.
#pragma once

#include <map>
#include <string>

class ShaderInstance;

class ShaderCache {
 public:
  ShaderCache() = default;
  virtual ~ShaderCache();
  ShaderCache(const ShaderCache&) = delete;
  ShaderCache& operator=(const ShaderCache&) = delete;

  virtual void init() {}

  // The instance stored under name, or null.
  ShaderInstance* getShaderInstance(const std::string& name) const;
  // Stores instance under name, taking ownership. An instance already stored under that name is
  // dropped but not deleted: scene objects may still point at it.
  void addShaderInstance(const std::string& name, ShaderInstance* instance);

 private:
  std::map<std::string, ShaderInstance*> instances;
};
