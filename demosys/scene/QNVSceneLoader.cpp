// QNVSceneLoader: scene records into the scene's objects, then the keyframes.
#include "demosys/scene/QNVSceneLoader.h"

#include <iostream>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/VBO.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVLight.h"
#include "demosys/scene/QNVMaterial.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/SceneFileReader.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "qnvutils/File.h"

namespace {

template <typename T>
T* find(const std::map<unsigned, T*>& map, unsigned id) {
  auto found = map.find(id);
  return found == map.end() ? nullptr : found->second;
}

}  // namespace

QNVSceneLoader::QNVSceneLoader(const std::string& name) : fileName(name), scene(new QNVScene()) {}

// Objects reach the scene only when the tree is built; until then the loader holds them.
QNVSceneLoader::~QNVSceneLoader() {
  if (scene == nullptr || scene->countObjects() > 0) return;
  for (auto& entry : objects) delete entry.second;
}

VBO* QNVSceneLoader::getVBOByID(unsigned value) const { return find(meshes, value); }
QNVObject* QNVSceneLoader::getObjectByID(unsigned value) const { return find(objects, value); }
QNVCamera* QNVSceneLoader::getCameraByID(unsigned value) const { return find(cameras, value); }
QNVLight* QNVSceneLoader::getLightByID(unsigned value) const { return find(lights, value); }

bool QNVSceneLoader::fail(const std::string& message) {
  valid = false;
  errorMessage = message;
  return false;
}

QNVScene* QNVSceneLoader::loadScene() {
  std::unique_ptr<File> file(QNVIO::loadFile(fileName));
  if (file == nullptr || !file->exists()) {
    fail("Object '" + fileName + "' not found");
    return nullptr;
  }
  std::unique_ptr<File> keyframes(QNVIO::loadFile(fileName + ".kf"));
  return loadScene(*file, keyframes.get());
}

QNVScene* QNVSceneLoader::loadScene(File& file, File* keyframes) {
  SceneFileReader reader(file, fileName);
  if (!readRecords(reader)) {
    fail(reader.getErrorMessage());
    return nullptr;
  }
  valid = true;
  buildSceneTree();
  scene->calcSceneBBox();
  scene->buildSmartDrawList();
  if (!loadAnimations(keyframes)) return nullptr;
  return scene.release();
}

// Each record is turned into engine objects as soon as it is read, and a mesh goes from the file's
// bytes straight to its interleaved vertices: one copy of one mesh's vertex data beside the GL
// buffers at any time.
bool QNVSceneLoader::readRecords(SceneFileReader& reader) {
  if (!reader.readVersion()) return false;
  int count = 0;
  if (!reader.readCount(SceneFileReader::MESHES, count)) return false;
  for (int i = 0; i < count; ++i) {
    SceneMesh mesh;
    SceneFileReader::Vertices vertices;
    if (!reader.readMeshVertices(mesh, vertices)) return false;
    loadMesh(mesh, vertices);
  }
  if (!reader.readCount(SceneFileReader::TEXTURES, count)) return false;
  for (int i = 0; i < count; ++i) {
    SceneTexture texture;
    if (!reader.readTexture(texture)) return false;
    loadTexture(static_cast<unsigned>(texture.id), texture.file);
  }
  if (!reader.readCount(SceneFileReader::MATERIALS, count)) return false;
  for (int i = 0; i < count; ++i) {
    SceneMaterial record;
    if (!reader.readMaterial(record)) return false;
    auto* material = new QNVMaterial();
    material->setName(record.name);
    material->setAmbient(record.ambient[0], record.ambient[1], record.ambient[2]);
    material->setDiffuse(record.diffuse[0], record.diffuse[1], record.diffuse[2]);
    auto texture = textures.find(static_cast<unsigned>(record.textureId));
    if (texture != textures.end()) material->setDiffuseMap(texture->second);
    materials[static_cast<unsigned>(record.id)] = material;
    scene->addMaterial(record.name, material);
  }
  if (!reader.readCount(SceneFileReader::LIGHTS, count)) return false;
  for (int i = 0; i < count; ++i) {
    SceneLight record;
    if (!reader.readLight(record)) return false;
    auto* light = new QNVLight();
    light->setType(static_cast<unsigned>(record.type));
    light->setColor(Vector4f(record.color[0], record.color[1], record.color[2], 1.0f));
    lights[static_cast<unsigned>(record.id)] = light;
    scene->adoptLight(light);
  }
  if (!reader.readCount(SceneFileReader::NODES, count)) return false;
  for (int i = 0; i < count; ++i) {
    SceneNode node;
    if (!reader.readNode(node)) return false;
    loadNode(node);
  }
  return true;
}

void QNVSceneLoader::loadMesh(const SceneMesh& mesh, const SceneFileReader::Vertices& vertices) {
  auto* vbo = new VBO();
  vbo->setVertexBuffer(vertices.count, vertices.positionComponents, vertices.normalComponents,
                       vertices.texCoordComponents, vertices.floats.data());
  vbo->setName(mesh.name);
  vbo->setUniqueID(static_cast<unsigned>(mesh.id));
  vbo->setBBoxMin(mesh.bboxMin);
  vbo->setBBoxMax(mesh.bboxMax);
  meshes[static_cast<unsigned>(mesh.id)] = vbo;
  scene->adoptMesh(vbo);
}

// Scenes load before the images, so a texture listed here is loaded by the texture pool with the
// other images, mipmapped, under its file name.
void QNVSceneLoader::loadTexture(unsigned id, const std::string& file) {
  textures[id] = file;
  Parameters* parameters = QNVDemosys::parameters;
  if (parameters == nullptr) return;
  if (!parameters->exist("graphics")) parameters->addGroup("graphics", new ParameterGroup("graphics"));
  ParameterGroup* graphics = parameters->getGroup("graphics");
  if (!graphics->exist(file)) graphics->addParameter(file, file + ", GL_TEXTURE_2D, GEN_MIPMAP");
}

void QNVSceneLoader::loadNode(const SceneNode& node) {
  const unsigned id = static_cast<unsigned>(node.id);
  if (node.type == SCENE_NODE_CAMERA) {
    auto* camera = new QNVCamera(node.name);
    camera->getMatrixRef() = node.matrix;
    scene->AddCamera(node.name, camera);
    cameras[id] = camera;
    return;
  }
  if (node.type == SCENE_NODE_LIGHT) {
    QNVLight* light = find(lights, static_cast<unsigned>(node.reference));
    if (light == nullptr) {
      std::cout << "ERROR : Cannot find light " << node.reference << std::endl;
      return;
    }
    light->setName(node.name);
    light->getMatrixRef() = node.matrix;
    scene->addLight(node.name, light);
    return;
  }
  if (node.type != SCENE_NODE_EMPTY && node.type != SCENE_NODE_MESH) return;
  auto* object = new QNVObject();
  object->setUniqueID(id);
  if (node.type == SCENE_NODE_MESH) {
    VBO* vbo = find(meshes, static_cast<unsigned>(node.reference));
    if (vbo == nullptr) std::cout << "ERROR : Cannot find mesh " << node.reference << std::endl;
    object->setVBO(vbo);
    object->setMaterial(find(materials, static_cast<unsigned>(node.materialId)));
  }
  object->setParentID(static_cast<unsigned>(node.parentId));
  object->setName(node.name);
  object->getLocalMatrix() = node.matrix;
  // A later node of one id replaces the earlier, which nothing refers to yet.
  QNVObject*& slot = objects[id];
  delete slot;
  slot = object;
}

// True when object is parent or one of its ancestors: linking them would close a loop.
static bool isAncestor(const QNVObject* object, const QNVObject* parent) {
  for (const QNVObject* o = parent; o != nullptr; o = o->getParent()) {
    if (o == object) return true;
  }
  return false;
}

// Ascending node id order; a parent id naming no object makes a root, and so does one that would
// make the object its own ancestor.
void QNVSceneLoader::buildSceneTree() {
  for (auto& entry : objects) {
    QNVObject* object = entry.second;
    QNVObject* parent = find(objects, object->getParentID());
    if (parent != nullptr && !isAncestor(object, parent)) {
      object->setParent(parent);
      parent->addChild(object);
    }
    scene->AddObject(object);
  }
}

bool QNVSceneLoader::loadAnimations(File* keyframes) {
  if (keyframes == nullptr || !keyframes->exists()) return true;
  SceneFileReader reader(*keyframes, fileName + ".kf");
  int count = 0;
  if (!reader.readKeyframeHeader(count)) return fail(reader.getErrorMessage());
  for (int i = 0; i < count; ++i) {
    SceneAnimation record;
    if (!reader.readAnimation(record)) return fail(reader.getErrorMessage());
    attachAnimation(record);
  }
  return true;
}

void QNVSceneLoader::attachAnimation(const SceneAnimation& record) {
  auto* animation = new QNVAnimation();
  scene->adoptAnimation(animation);
  for (size_t i = 0; i < record.times.size(); ++i) {
    animation->addTranslation(SceneFileReader::keyTimeMs(record.times[i]), record.translations[i]);
  }
  for (size_t i = 0; i < record.times.size(); ++i) {
    animation->addRotation(SceneFileReader::keyTimeMs(record.times[i]), record.rotations[i]);
  }
  animation->init();
  const unsigned id = record.targetId;
  if (record.targetType == 0 || record.targetType == SCENE_TARGET_OBJECT) {
    if (QNVObject* object = getObjectByID(id)) {
      object->setAnimation(animation);
    } else {
      std::cout << "ERROR: Failed to find object with id " << id << std::endl;
    }
  } else if (record.targetType == SCENE_TARGET_CAMERA) {
    if (QNVCamera* camera = getCameraByID(id)) {
      camera->setAnimation(animation);
    } else {
      std::cout << "ERROR: Failed to find camera with id " << id << std::endl;
    }
  } else if (record.targetType == SCENE_TARGET_LIGHT) {
    if (QNVLight* light = getLightByID(id)) {
      light->setAnim(animation);
    } else {
      std::cout << "ERROR: Failed to fing light with id " << id << std::endl;
    }
  }
}
