// QNVScene: ownership, lookups, shader and timer assignment, both drawing paths, lights, box.
#include "demosys/scene/QNVScene.h"

#include <GL/glew.h>

#include <algorithm>
#include <iostream>

#include "demosys/render/VBO.h"
#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVLight.h"
#include "demosys/scene/QNVMaterial.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVObjectGroup.h"

namespace {

template <typename T>
T* lookup(const std::map<std::string, T*>& map, const std::string& name) {
  auto found = map.find(name);
  return found == map.end() ? nullptr : found->second;
}

// Owns the pointer once, however often it is handed over.
template <typename T>
void own(std::vector<std::unique_ptr<T>>& owned, T* item) {
  if (item == nullptr) return;
  for (const auto& held : owned) {
    if (held.get() == item) return;
  }
  owned.emplace_back(item);
}

}  // namespace

QNVScene::QNVScene() = default;

QNVScene::~QNVScene() { clearDrawList(); }

void QNVScene::AddObject(QNVObject* object) {
  if (object == nullptr) return;
  own(ownedObjects, object);
  objects.push_back(object);
  objectsByName[object->getName()] = object;
  if (object->getParent() == nullptr) roots.push_back(object);
}

QNVObject* QNVScene::getObject(int value) const {
  if (value < 0 || value >= countObjects()) return nullptr;
  return objects[static_cast<size_t>(value)];
}

QNVObject* QNVScene::getObjectByName(const std::string& name) const { return lookup(objectsByName, name); }
QNVCamera* QNVScene::GetCamera(const std::string& name) const { return lookup(cameras, name); }
QNVAnimation* QNVScene::GetAnimation(const std::string& name) const { return lookup(animations, name); }
QNVMaterial* QNVScene::getMaterialByName(const std::string& name) const { return lookup(materials, name); }
QNVLight* QNVScene::getLightByName(const std::string& name) const { return lookup(lights, name); }

void QNVScene::AddCamera(const std::string& name, QNVCamera* camera) {
  own(ownedCameras, camera);
  cameras[name] = camera;
}

void QNVScene::AddAnimation(const std::string& name, QNVAnimation* animation) {
  own(ownedAnimations, animation);
  animations[name] = animation;
}

void QNVScene::addMaterial(const std::string& name, QNVMaterial* material) {
  own(ownedMaterials, material);
  materials[name] = material;
}

void QNVScene::addLight(const std::string& name, QNVLight* light) {
  own(ownedLights, light);
  lights[name] = light;
}

void QNVScene::adoptMesh(VBO* mesh) {
  own(ownedMeshes, mesh);
  if (std::find(meshList.begin(), meshList.end(), mesh) == meshList.end()) meshList.push_back(mesh);
}

void QNVScene::adoptLight(QNVLight* light) { own(ownedLights, light); }
void QNVScene::adoptAnimation(QNVAnimation* animation) { own(ownedAnimations, animation); }

QNVObject* QNVScene::cloneObjectsRecursive(QNVObject* source, const std::string& name, QNVObject* parent) {
  QNVObject* copy = source->clone(name);
  if (parent != nullptr) copy->setParent(parent);
  AddObject(copy);
  for (int i = 0; i < source->countChildren(); ++i) {
    QNVObject* child = cloneObjectsRecursive(source->getChild(i), name + "_c" + std::to_string(i), copy);
    copy->setChild(child, i);
  }
  return copy;
}

void QNVScene::ApplyShaderInstance(ShaderInstance* instance) {
  for (QNVObject* object : objects) object->setShaderInstance(instance);
}

void QNVScene::ApplyShaderInstance(QNVMaterial* material, ShaderInstance* instance) {
  for (QNVObject* object : objects) {
    if (object->getMaterial() == material) object->setShaderInstance(instance);
  }
}

void QNVScene::ApplyShaderInstance(const std::string& name, ShaderInstance* instance) {
  if (QNVObject* object = getObjectByName(name)) object->setShaderInstance(instance);
}

void QNVScene::ApplyTimer(const std::string& name, QNVAnimTimer* timer) {
  if (QNVObject* object = getObjectByName(name)) object->setAnimTimer(timer);
}

void QNVScene::mapTextureData() {
  for (QNVObject* object : objects) object->mapTextureData();
}

void QNVScene::calcGlobalData(float t) {
  for (QNVObject* root : roots) root->calcGlobalDataRecursive(t, rootMatrix);
}

void QNVScene::clearDrawList() {
  for (auto& entry : drawList) delete entry.second;
  drawList.clear();
}

// Groups are keyed by mesh identity; each keeps its objects in scene order.
void QNVScene::buildSmartDrawList() {
  clearDrawList();
  for (QNVObject* object : objects) {
    if (object->IsEmpty()) continue;
    QNVObjectGroup*& group = drawList[object->getVBO()];
    if (group == nullptr) {
      group = new QNVObjectGroup();
      group->setVBO(object->getVBO());
    }
    group->addObject(object);
  }
}

void QNVScene::drawInstanced() {
  for (auto& entry : drawList) entry.second->draw();
}

void QNVScene::drawRoots(float t, bool forceAll, int mode, bool noShaders) {
  for (QNVObject* root : roots) root->drawRecursive(t, forceAll, mode, noShaders);
}

void QNVScene::drawBBox() const {
  for (const QNVObject* root : roots) root->drawBBoxRecurive();
}

void QNVScene::drawSceneBBox() const { QNVObject::drawBox(bboxMin, bboxMax); }

void QNVScene::drawTranslation(float value) const {
  for (const QNVObject* root : roots) root->drawTranslation(0.0f, value);
}

void QNVScene::enableLights() {
  static const GLenum slots[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3};
  glEnable(GL_LIGHTING);
  size_t used = 0;
  for (auto& entry : lights) {
    if (used == 4) {
      std::cout << "Too many light sources" << std::endl;
      continue;
    }
    entry.second->enable(slots[used++]);
  }
}

void QNVScene::disableLights() {
  glDisable(GL_LIGHTING);
  for (auto& entry : lights) entry.second->disable();
}

void QNVScene::drawLights(float size) const {
  for (const auto& entry : lights) entry.second->draw(size);
}

void QNVScene::calcSceneBBox() {
  if (objects.empty()) return;
  bboxMin = objects.front()->getBBoxMin();
  bboxMax = objects.front()->getBBoxMax();
  for (const QNVObject* object : objects) {
    const Vector3f lo = object->getBBoxMin();
    const Vector3f hi = object->getBBoxMax();
    for (int i = 0; i < 3; ++i) {
      bboxMin[i] = std::min(bboxMin[i], lo[i]);
      bboxMax[i] = std::max(bboxMax[i], hi[i]);
    }
  }
}
