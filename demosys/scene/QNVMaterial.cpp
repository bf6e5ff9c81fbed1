// QNVMaterial: fixed-function material state.
#include "demosys/scene/QNVMaterial.h"

#include <GL/gl.h>

#include <iostream>

static void setColor(GLenum which, const Vector3f& c) {
  const GLfloat rgba[4] = {c[0], c[1], c[2], 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, which, rgba);
}

void QNVMaterial::use() const {
  setColor(GL_AMBIENT, ambient);
  setColor(GL_DIFFUSE, diffuse);
  setColor(GL_EMISSION, emissive);
  setColor(GL_SPECULAR, specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

void QNVMaterial::useColor(float r, float g, float b, float a) {
  const GLfloat rgba[4] = {r, g, b, a};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, rgba);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, rgba);
}

void QNVMaterial::useColor(const Vector4f& color) { useColor(color[0], color[1], color[2], color[3]); }

static std::ostream& operator<<(std::ostream& out, const Vector3f& c) {
  return out << "(" << c[0] << "," << c[1] << "," << c[2] << ")";
}

void QNVMaterial::print() const {
  std::cout << "Amb : " << ambient << std::endl;
  std::cout << "Dif : " << diffuse << std::endl;
}
