// Reads one scene file (and its ".kf" keyframe file, when there is one) through QNVIO into a new
// QNVScene: meshes become VBOs, then texture references (registered with the "graphics" group so
// the texture pool loads them), materials, lights and the nodes, which are built into the object
// tree in ascending node id order. Damaged files are refused with a message naming the file;
// references to missing meshes, lights or animation targets are printed and skipped.
// Depends on: QNVIO, SceneFileReader, QNVScene and its leaf types, VBO, QNVDemosys (parameters).
#pragma once

#include <map>
#include <memory>
#include <string>

#include "demosys/scene/SceneFileReader.h"

class File;
class QNVCamera;
class QNVLight;
class QNVMaterial;
class QNVObject;
class QNVScene;
struct SceneAnimation;
struct SceneMesh;
struct SceneNode;
class VBO;

class QNVSceneLoader {
 public:
  explicit QNVSceneLoader(const std::string& fileName);
  ~QNVSceneLoader();
  QNVSceneLoader(const QNVSceneLoader&) = delete;
  QNVSceneLoader& operator=(const QNVSceneLoader&) = delete;

  // The scene read, owned by the caller; null when the loader is not valid afterwards.
  QNVScene* loadScene();
  // The same from a file already in memory (the keyframe file may be null or missing).
  QNVScene* loadScene(File& scene, File* keyframes);
  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

  // Lookups by file id, null when absent (valid until the scene is handed out).
  VBO* getVBOByID(unsigned value) const;
  QNVObject* getObjectByID(unsigned value) const;
  QNVCamera* getCameraByID(unsigned value) const;
  QNVLight* getLightByID(unsigned value) const;

 private:
  bool readRecords(SceneFileReader& reader);
  void loadMesh(const SceneMesh& mesh, const SceneFileReader::Vertices& vertices);
  void loadTexture(unsigned id, const std::string& file);
  void loadNode(const SceneNode& node);
  void buildSceneTree();
  bool loadAnimations(File* keyframes);
  void attachAnimation(const SceneAnimation& record);
  bool fail(const std::string& message);

  std::string fileName;
  std::unique_ptr<QNVScene> scene;
  bool valid = false;
  std::string errorMessage;
  bool trace = false;
  std::map<unsigned, VBO*> meshes;
  std::map<unsigned, QNVObject*> objects;
  std::map<unsigned, std::string> textures;
  std::map<unsigned, QNVMaterial*> materials;
  std::map<unsigned, QNVCamera*> cameras;
  std::map<unsigned, QNVLight*> lights;
};
