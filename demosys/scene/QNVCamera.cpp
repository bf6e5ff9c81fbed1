// QNVCamera: the view from an animated scene camera or from a scene object.
#include "demosys/scene/QNVCamera.h"

#include <GL/gl.h>

#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVObject.h"

void QNVCamera::use(float t) const {
  Vector3f p;
  Vector3f r;
  if (animation != nullptr) {
    if (animation->hasTranslationCurve()) p = animation->getTranslation(t);
    if (animation->hadRotationCurve()) r = animation->getRotation(t);
  }
  glRotatef(90.0f - r[0], 1.0f, 0.0f, 0.0f);
  glRotatef(-r[2], 0.0f, 1.0f, 0.0f);
  glRotatef(-r[1], 0.0f, 0.0f, 1.0f);
  glTranslatef(-p[0], -p[1], -p[2]);
}

void QNVCamera::use(const QNVObject& object, const Vector3f& offset, const Vector3f& angles) {
  glRotatef(angles[0], 1.0f, 0.0f, 0.0f);
  glRotatef(angles[1], 0.0f, 1.0f, 0.0f);
  glRotatef(angles[2], 0.0f, 0.0f, 1.0f);
  glTranslatef(offset[0], offset[1], offset[2]);
  const Matrix inverse = object.getGlobalMatrix().rigidInverse();
  glMultMatrixf(inverse.data());
}
