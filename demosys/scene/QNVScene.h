// One loaded scene file: its object tree with the objects' meshes, materials, lights, cameras and
// animations, all owned by the scene (scenes are owned by the object pool). Two drawing paths: the
// hierarchical one poses objects on the GL matrix stack while walking the tree; the instanced one
// draws the smart draw list (objects grouped by mesh) at global matrices from calcGlobalData.
// Depends on: QNVObject, QNVObjectGroup, QNVMaterial, QNVLight, QNVCamera, QNVAnimation, VBO, Matrix.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demosys/math/Matrix.h"
#include "demosys/math/Vector.h"

class QNVAnimation;
class QNVAnimTimer;
class QNVCamera;
class QNVLight;
class QNVMaterial;
class QNVObject;
class QNVObjectGroup;
class ShaderInstance;
class VBO;

class QNVScene {
 public:
  QNVScene();
  ~QNVScene();
  QNVScene(const QNVScene&) = delete;
  QNVScene& operator=(const QNVScene&) = delete;

  // Takes ownership; objects without a parent become roots.
  void AddObject(QNVObject* object);
  QNVObject* getObject(int value) const;
  int countObjects() const { return static_cast<int>(objects.size()); }
  int countRoots() const { return static_cast<int>(roots.size()); }
  QNVObject* getRoot(int value) const { return roots[static_cast<std::size_t>(value)]; }
  // Map lookups, null when absent. A later entry of one name replaces the earlier in the map; the
  // scene still owns (and deletes) both.
  QNVObject* getObjectByName(const std::string& name) const;
  QNVCamera* GetCamera(const std::string& name) const;
  QNVAnimation* GetAnimation(const std::string& name) const;
  QNVMaterial* getMaterialByName(const std::string& name) const;
  QNVLight* getLightByName(const std::string& name) const;
  void AddCamera(const std::string& name, QNVCamera* camera);
  void AddAnimation(const std::string& name, QNVAnimation* animation);
  void addMaterial(const std::string& name, QNVMaterial* material);
  void addLight(const std::string& name, QNVLight* light);
  const std::map<std::string, QNVCamera*>& getCameras() const { return cameras; }
  const std::map<std::string, QNVLight*>& getLights() const { return lights; }
  const std::map<std::string, QNVMaterial*>& getMaterials() const { return materials; }
  // Ownership only, for meshes, lights and animations that are not (or not yet) in a map.
  void adoptMesh(VBO* mesh);
  void adoptLight(QNVLight* light);
  void adoptAnimation(QNVAnimation* animation);
  const std::vector<VBO*>& getMeshes() const { return meshList; }

  // Clones source's subtree into the scene: children named name + "_c" + i under the new clone.
  QNVObject* cloneObjectsRecursive(QNVObject* source, const std::string& name, QNVObject* parent);

  void ApplyShaderInstance(ShaderInstance* instance);
  void ApplyShaderInstance(QNVMaterial* material, ShaderInstance* instance);
  void ApplyShaderInstance(const std::string& name, ShaderInstance* instance);
  void ApplyTimer(const std::string& name, QNVAnimTimer* timer);
  void mapTextureData();

  void calcGlobalData(float t);
  void buildSmartDrawList();
  const std::map<VBO*, QNVObjectGroup*>& getDrawList() const { return drawList; }
  void drawInstanced();
  void draw(float t, bool forceAll, bool wireframe) { drawRoots(t, forceAll, wireframe ? 1 : 0, false); }
  void draw(float t, bool wireframe) { drawRoots(t, false, wireframe ? 1 : 0, false); }
  void draw(bool noShaders) { drawRoots(0.0f, false, 0, noShaders); }
  void drawWireframe() { drawRoots(0.0f, false, 1, true); }
  void drawBBox() const;
  void drawSceneBBox() const;
  void drawTranslation() const { drawTranslation(0.0f); }
  void drawTranslation(float value) const;

  // GL_LIGHTING and the first four lights in name order; more print "Too many light sources".
  void enableLights();
  void disableLights();
  void drawLights(float size) const;

  void calcSceneBBox();
  const Vector3f& getBBoxMin() const { return bboxMin; }
  const Vector3f& getBBoxMax() const { return bboxMax; }
  Matrix& getRootMatrix() { return rootMatrix; }

 private:
  void drawRoots(float t, bool forceAll, int mode, bool noShaders);
  void clearDrawList();

  std::vector<QNVObject*> objects;
  std::map<std::string, QNVObject*> objectsByName;
  std::vector<QNVObject*> roots;
  std::map<std::string, QNVAnimation*> animations;
  std::map<std::string, QNVCamera*> cameras;
  std::map<std::string, QNVMaterial*> materials;
  std::map<std::string, QNVLight*> lights;
  Matrix rootMatrix;
  std::map<VBO*, QNVObjectGroup*> drawList;
  Vector3f bboxMin;
  Vector3f bboxMax;
  std::vector<VBO*> meshList;
  // What the scene deletes; the maps above may have dropped replaced entries.
  std::vector<std::unique_ptr<QNVObject>> ownedObjects;
  std::vector<std::unique_ptr<VBO>> ownedMeshes;
  std::vector<std::unique_ptr<QNVMaterial>> ownedMaterials;
  std::vector<std::unique_ptr<QNVLight>> ownedLights;
  std::vector<std::unique_ptr<QNVCamera>> ownedCameras;
  std::vector<std::unique_ptr<QNVAnimation>> ownedAnimations;
};
