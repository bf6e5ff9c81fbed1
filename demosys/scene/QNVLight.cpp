// QNVLight: fixed-function directional light.
#include "demosys/scene/QNVLight.h"

#include <GL/gl.h>

Vector4f QNVLight::getPosition() const { return Vector4f(matrix[8], matrix[10], -matrix[9], 0.0f); }

void QNVLight::enable(unsigned light) {
  glLight = light;
  glEnable(light);
  glLightfv(light, GL_DIFFUSE, color.data());
  const Vector4f position = getPosition();
  glLightfv(light, GL_POSITION, position.data());
}

void QNVLight::disable() {
  if (glLight != 0) glDisable(glLight);
}

// A short line along the light's direction from its place, and a point at the place.
void QNVLight::draw(float size) const {
  const GLboolean lit = glIsEnabled(GL_LIGHTING);
  glDisable(GL_LIGHTING);
  const Vector4f direction = getPosition();
  const Vector3f at(matrix[12], matrix[14], -matrix[13]);
  glColor4f(color[0], color[1], color[2], 1.0f);
  glBegin(GL_LINES);
  glVertex3f(at[0], at[1], at[2]);
  glVertex3f(at[0] + direction[0] * size, at[1] + direction[1] * size, at[2] + direction[2] * size);
  glEnd();
  glPointSize(size);
  glBegin(GL_POINTS);
  glVertex3f(at[0], at[1], at[2]);
  glEnd();
  glPointSize(1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  if (lit) glEnable(GL_LIGHTING);
}
