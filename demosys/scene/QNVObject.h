// One node of a scene's object tree: an optional mesh (VBO), material, shader instance and
// keyframe animation, a local matrix from the scene file and a transform matrix that holds the
// current local pose (transform) or the world matrix (calcGlobalData). The scene owns its
// objects; an object only points at meshes, materials, shader instances and animations.
// Depends on: Matrix, Vector, VBO, QNVMaterial, QNVAnimation, QNVAnimTimer, ShaderInstance, OpenGL.
#pragma once

#include <string>
#include <vector>

#include "demosys/math/Matrix.h"
#include "demosys/math/Vector.h"
#include "demosys/scene/QNVMaterial.h"

class QNVAnimation;
class QNVAnimTimer;
class ShaderInstance;
class VBO;

class QNVObject {
 public:
  // Stands in for objects that have a shader instance but no material.
  static QNVMaterial defaultMaterial;

  unsigned getUniqueID() const { return uniqueID; }
  void setUniqueID(unsigned value) { uniqueID = value; }
  unsigned getParentID() const { return parentID; }
  void setParentID(unsigned value) { parentID = value; }
  VBO* getVBO() const { return mesh; }
  void setVBO(VBO* value) { mesh = value; }
  QNVMaterial* getMaterial() const { return material; }
  void setMaterial(QNVMaterial* value) { material = value; }
  ShaderInstance* getShaderInstance() const { return shaderInstance; }
  void setShaderInstance(ShaderInstance* value) { shaderInstance = value; }
  QNVObject* getParent() const { return parent; }
  void setParent(QNVObject* value) { parent = value; }
  QNVAnimation* getAnimation() const { return animation; }
  void setAnimation(QNVAnimation* value) { animation = value; }
  QNVAnimTimer* getAnimTimer() const { return animTimer; }
  void setAnimTimer(QNVAnimTimer* value) { animTimer = value; }
  const std::string& getName() const { return name; }
  void setName(const std::string& value) { name = value; }
  Matrix& getLocalMatrix() { return localMatrix; }
  const Matrix& getLocalMatrix() const { return localMatrix; }
  Matrix& getGlobalMatrix() { return transformMatrix; }
  const Matrix& getGlobalMatrix() const { return transformMatrix; }
  bool isVisible() const { return visible; }
  bool IsEmpty() const { return mesh == nullptr; }
  bool hasChildren() const { return !children.empty(); }
  int countChildren() const { return static_cast<int>(children.size()); }
  // Null when the index is out of range.
  QNVObject* getChild(int index) const;
  // Replaces the child at index; an index past the end appends.
  void setChild(QNVObject* child, int index);
  void addChild(QNVObject* child) { children.push_back(child); }

  void setLocalTranslation(const Vector3f& value) { localMatrix.setTranslation(value); }
  Vector3f getLocalTranslation() const { return localMatrix.getTranslation(); }
  Vector3f getGlobalTranslation() const { return transformMatrix.getTranslation(); }
  void setGlobalTranslation(const Vector3f& value, bool recursive);
  // Degrees about x, y and z in the pose convention of transform(); the translation stays.
  void setGlobalRotation(const Vector3f& degrees, bool recursive);
  void setConstantRotation(const Vector3f& axis, float degreesPerTimeUnit);
  void setVisible(bool flag, bool recursive);
  void setVisibleChilden(bool flag) { setVisible(flag, true); }
  void setShaderInstanceRecursive(ShaderInstance* instance);

  // The mesh's box moved by the local translations of this object and its ancestors; zero without
  // a mesh. Rotations are not taken into account.
  Vector3f getBBoxMin() const;
  Vector3f getBBoxMax() const;
  // The material's diffuse texture from the texture pool by its diffuse map name.
  void mapTextureData();

  // A new object with this one's mesh, material, shader, parent, animation, timer, visibility and
  // child list (the children themselves are shared); identity matrices.
  QNVObject* clone(const std::string& cloneName) const;

  // The pose at time t into the transform matrix.
  void transform(float t);
  void calcGlobalData(float t, const Matrix& parentMatrix);
  void calcGlobalDataRecursive(float t, const Matrix& parentMatrix);

  // The hierarchical path: mode 0 solid, 1 wireframe, other the bounding box.
  void drawRecursive(float t, bool forceAll, int mode, bool noShaders);
  void draw(int mode, bool noShaders);
  // The instanced path: the mesh's buffers are bound by the caller; the global matrix is used.
  void drawInstanced();
  void drawBBox() const;
  void drawBBoxRecurive() const;
  // A box's twelve edges as thick red lines under colour material, restored afterwards.
  static void drawBox(const Vector3f& lo, const Vector3f& hi);
  void drawTranslation(float offset, float t) const;
  void printLocalMatrix() const;

  // The rotation Rz(-y) * Ry(z) * Rx(x) that turns the file's z-up rotation angles into a y-up pose.
  static Matrix poseRotation(const Vector3f& degrees);
  // The angles poseRotation turns into the rotation part of a matrix (without scale), for tools
  // that write poses: x and z in (-180, 180], y in [-90, 90] about the engine's z.
  static Vector3f poseAngles(const Matrix& rotation);

 private:
  template <typename Visit>
  void forSubtree(Visit visit);
  Vector3f translationSum() const;

  unsigned uniqueID = 0;
  unsigned parentID = 0;
  VBO* mesh = nullptr;
  QNVMaterial* material = nullptr;
  ShaderInstance* shaderInstance = nullptr;
  std::string name;
  QNVObject* parent = nullptr;
  QNVAnimation* animation = nullptr;
  std::vector<QNVObject*> children;
  bool visible = true;
  Matrix localMatrix;
  Matrix transformMatrix;
  Vector3f constantRotationAxis;
  float constantRotationSpeed = 0.0f;
  QNVAnimTimer* animTimer = nullptr;
};
