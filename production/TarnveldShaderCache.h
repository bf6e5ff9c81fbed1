// The production's shader cache: after loading it makes the named shader instances of the
// production's shaders and hands them to the objects and materials of the arena, droid and
// master droid scenes (and the zeppelin scene), so the scene effects draw every object with its
// own look. An instance whose shader is missing is left out with one line on standard output;
// objects that would have had it keep what they had.
// Depends on: ShaderCache, the shader instance family (engine and production), QNVScene,
// QNVObject, QNVMaterial, Texture, QNVDemosys pools.
#pragma once

#include <string>

#include "demosys/render/ShaderCache.h"

class QNVObject;
class QNVScene;
class Shader;

class TarnveldShaderCache : public ShaderCache {
 public:
  void init() override;

  // Every object of the scene whose material has a diffuse texture gets the instance.
  static void mapTextureShader(QNVScene* scene, ShaderInstance* instance);

 private:
  void createInstances();
  void createMeterScales(QNVScene* arena);
  void assignArena(QNVScene* arena);
  void assignMaterials(QNVScene* scene);
  void assignMasterDroid(QNVScene* master);
  void assignZeppelin(QNVScene* zeppelin);
  // The object (with its subtree when recursive) gets the named instance, when both exist.
  void give(QNVObject* object, const char* name, bool recursive);
  // Stores the instance when its shader exists; reports the missing shader otherwise.
  void add(const std::string& name, ShaderInstance* instance);
};
