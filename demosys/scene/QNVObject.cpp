// QNVObject: tree operations, posing, bounding boxes and both drawing paths.
#include "demosys/scene/QNVObject.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/ShaderInstance.h"
#include "demosys/render/VBO.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/scene/QNVAnimTimer.h"
#include "demosys/scene/QNVAnimation.h"

QNVMaterial QNVObject::defaultMaterial;

template <typename Visit>
void QNVObject::forSubtree(Visit visit) {
  visit(*this);
  for (QNVObject* child : children) child->forSubtree(visit);
}

QNVObject* QNVObject::getChild(int index) const {
  if (index < 0 || index >= countChildren()) return nullptr;
  return children[static_cast<size_t>(index)];
}

void QNVObject::setChild(QNVObject* child, int index) {
  if (index < 0) return;
  if (index >= countChildren()) {
    children.push_back(child);
  } else {
    children[static_cast<size_t>(index)] = child;
  }
}

void QNVObject::setGlobalTranslation(const Vector3f& value, bool recursive) {
  if (!recursive) {
    transformMatrix.setTranslation(value);
    return;
  }
  forSubtree([&](QNVObject& o) { o.transformMatrix.setTranslation(value); });
}

void QNVObject::setGlobalRotation(const Vector3f& degrees, bool recursive) {
  const Matrix rotation = poseRotation(degrees);
  auto apply = [&](QNVObject& o) {
    const Vector3f keep = o.transformMatrix.getTranslation();
    o.transformMatrix = rotation;
    o.transformMatrix.setTranslation(keep);
  };
  if (recursive) {
    forSubtree(apply);
  } else {
    apply(*this);
  }
}

void QNVObject::setConstantRotation(const Vector3f& axis, float speed) {
  constantRotationAxis = axis;
  constantRotationSpeed = speed;
}

void QNVObject::setVisible(bool flag, bool recursive) {
  if (!recursive) {
    visible = flag;
    return;
  }
  forSubtree([flag](QNVObject& o) { o.visible = flag; });
}

void QNVObject::setShaderInstanceRecursive(ShaderInstance* instance) {
  forSubtree([instance](QNVObject& o) { o.shaderInstance = instance; });
}

Vector3f QNVObject::translationSum() const {
  Vector3f sum;
  for (const QNVObject* o = this; o != nullptr; o = o->parent) sum += o->getLocalTranslation();
  return sum;
}

Vector3f QNVObject::getBBoxMin() const {
  return mesh == nullptr ? Vector3f() : mesh->getBBoxMin() + translationSum();
}

Vector3f QNVObject::getBBoxMax() const {
  return mesh == nullptr ? Vector3f() : mesh->getBBoxMax() + translationSum();
}

void QNVObject::mapTextureData() {
  if (material == nullptr || material->getDiffuseMap().empty()) return;
  DataTexturePool* pool = QNVDemosys::texturePool;
  material->setDiffuseTexture(pool != nullptr ? pool->getTexture(material->getDiffuseMap()) : nullptr);
}

QNVObject* QNVObject::clone(const std::string& cloneName) const {
  auto* copy = new QNVObject();
  copy->name = cloneName;
  copy->mesh = mesh;
  copy->material = material;
  copy->shaderInstance = shaderInstance;
  copy->parent = parent;
  copy->animation = animation;
  copy->animTimer = animTimer;
  copy->visible = visible;
  copy->children = children;
  return copy;
}

// The product Rz(a) * Ry(b) * Rx(c) (a = -y, b = z, c = x) written out: every animated object is
// posed through it each frame, and three matrices and two full products cost several times more.
Matrix QNVObject::poseRotation(const Vector3f& degrees) {
  const float radians = 3.14159265358979f / 180.0f;
  const float a = -degrees[1] * radians;
  const float b = degrees[2] * radians;
  const float c = degrees[0] * radians;
  const float ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b), cc = std::cos(c),
              sc = std::sin(c);
  Matrix r;
  r.at(0, 0) = ca * cb;
  r.at(0, 1) = ca * sb * sc - sa * cc;
  r.at(0, 2) = ca * sb * cc + sa * sc;
  r.at(1, 0) = sa * cb;
  r.at(1, 1) = sa * sb * sc + ca * cc;
  r.at(1, 2) = sa * sb * cc - ca * sc;
  r.at(2, 0) = -sb;
  r.at(2, 1) = cb * sc;
  r.at(2, 2) = cb * cc;
  return r;
}

// poseRotation is Rz(a) * Ry(b) * Rx(c) with a = -y, b = z, c = x: row 2 holds -sin b, cos b sin c
// and cos b cos c; column 0 cos a cos b and sin a cos b. Straight up or down (cos b = 0) only a - c
// or a + c is known, and a is taken as 0.
Vector3f QNVObject::poseAngles(const Matrix& r) {
  const float degrees = 180.0f / 3.14159265358979f;
  const float sinB = std::max(-1.0f, std::min(1.0f, -r.at(2, 0)));
  const float b = std::asin(sinB);
  float a = 0.0f;
  float c = 0.0f;
  if (std::fabs(sinB) < 0.99999f) {
    a = std::atan2(r.at(1, 0), r.at(0, 0));
    c = std::atan2(r.at(2, 1), r.at(2, 2));
  } else {
    c = std::atan2(-r.at(1, 2), r.at(1, 1));
  }
  return Vector3f(c * degrees, -a * degrees, b * degrees);
}

void QNVObject::transform(float t) {
  if (animTimer != nullptr) t = animTimer->getTime();
  if (animation == nullptr) {
    transformMatrix = localMatrix;
    if (constantRotationSpeed <= 0.0f) return;
    static Matrix (*const rotations[3])(float) = {Matrix::rotationX, Matrix::rotationY, Matrix::rotationZ};
    for (int axis = 0; axis < 3; ++axis) {
      const float component = constantRotationAxis[axis];
      if (component != 0.0f) transformMatrix *= rotations[axis](constantRotationSpeed * t * component);
    }
    return;
  }
  const Vector3f angles = animation->hadRotationCurve() ? animation->getRotation(t) : Vector3f();
  const Vector3f translation =
      animation->hasTranslationCurve() ? animation->getTranslation(t) : transformMatrix.getTranslation();
  transformMatrix = poseRotation(angles);
  transformMatrix.setTranslation(translation);
}

void QNVObject::calcGlobalData(float t, const Matrix& parentMatrix) {
  transform(t);
  transformMatrix = parentMatrix * transformMatrix;
}

void QNVObject::calcGlobalDataRecursive(float t, const Matrix& parentMatrix) {
  calcGlobalData(t, parentMatrix);
  for (QNVObject* child : children) child->calcGlobalDataRecursive(t, transformMatrix);
}

void QNVObject::drawRecursive(float t, bool forceAll, int mode, bool noShaders) {
  if (!visible && !forceAll) return;
  glPushMatrix();
  transform(t);
  glMultMatrixf(transformMatrix.data());
  draw(mode, noShaders);
  for (QNVObject* child : children) child->drawRecursive(t, forceAll, mode, noShaders);
  glPopMatrix();
}

void QNVObject::draw(int mode, bool noShaders) {
  if (mesh == nullptr) return;
  if (shaderInstance == nullptr) {
    drawBBox();
    return;
  }
  if (!noShaders) shaderInstance->use(material != nullptr ? material : &defaultMaterial);
  if (mode == 0) {
    mesh->draw();
  } else if (mode == 1) {
    mesh->drawWireframe();
  } else {
    drawBBox();
  }
  if (!noShaders) shaderInstance->release();
}

void QNVObject::drawInstanced() {
  glPushMatrix();
  glMultMatrixf(transformMatrix.data());
  if (shaderInstance != nullptr) shaderInstance->use(material != nullptr ? material : &defaultMaterial);
  mesh->drawInstanced();
  if (shaderInstance != nullptr) shaderInstance->release();
  glPopMatrix();
}

// The twelve edges of an axis-aligned box as red lines.
void QNVObject::drawBox(const Vector3f& lo, const Vector3f& hi) {
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glColor3f(1.0f, 0.0f, 0.0f);
  glLineWidth(3.0f);
  glBegin(GL_LINES);
  for (int axis = 0; axis < 3; ++axis) {
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    for (int corner = 0; corner < 4; ++corner) {
      Vector3f from = lo;
      from[a] = (corner & 1) ? hi[a] : lo[a];
      from[b] = (corner & 2) ? hi[b] : lo[b];
      Vector3f to = from;
      to[axis] = hi[axis];
      glVertex3fv(from.data());
      glVertex3fv(to.data());
    }
  }
  glEnd();
  glLineWidth(1.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  glDisable(GL_COLOR_MATERIAL);
}

void QNVObject::drawBBox() const {
  if (mesh != nullptr) drawBox(mesh->getBBoxMin(), mesh->getBBoxMax());
}

void QNVObject::drawBBoxRecurive() const {
  drawBBox();
  for (const QNVObject* child : children) child->drawBBoxRecurive();
}

void QNVObject::drawTranslation(float, float t) const {
  const Vector3f to = getLocalTranslation();
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glColor3f(1.0f, 0.0f, 0.0f);
  glLineWidth(3.0f);
  glBegin(GL_LINES);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3fv(to.data());
  glEnd();
  glLineWidth(1.0f);
  glDisable(GL_COLOR_MATERIAL);
  const Vector3f at = getGlobalTranslation();
  glTranslatef(at[0], at[1], at[2]);
  glRotatef(constantRotationSpeed * t, constantRotationAxis[0], constantRotationAxis[1],
            constantRotationAxis[2]);
}

void QNVObject::printLocalMatrix() const {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) std::cout << localMatrix.at(row, column) << " ";
    std::cout << std::endl;
  }
}
