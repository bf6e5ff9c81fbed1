#include "production/effects/Crosshair.h"

#include <GL/glew.h>

Crosshair::Crosshair(float x, float y, float width, float height, int divisions, const Vector4f& colour)
    : x(x),
      y(y),
      width(width),
      height(height),
      divisions(divisions),
      colour(colour),
      px(2.0f * width / static_cast<float>(divisions)),
      py(8.0f * height / static_cast<float>(divisions)) {}

void Crosshair::draw(float dx, float dy) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glColor4fv(colour.data());
  glBegin(GL_LINES);
  drawGrid();
  move(dx, dy);
  glVertex3f(px, 0.0f, -1.0f);
  glVertex3f(px, height, -1.0f);
  glVertex3f(0.0f, py, -1.0f);
  glVertex3f(width, py, -1.0f);
  glEnd();
  glPopMatrix();
}

void Crosshair::drawGrid() const {
  for (int i = 0; i <= divisions; ++i) {
    const float across = static_cast<float>(i) * height / static_cast<float>(divisions);
    const float up = static_cast<float>(i) * width / static_cast<float>(divisions);
    glVertex3f(0.0f, across, -1.0f);
    glVertex3f(width, across, -1.0f);
    glVertex3f(up, 0.0f, -1.0f);
    glVertex3f(up, height, -1.0f);
  }
}

void Crosshair::move(float dx, float dy) {
  bounce(px, fx, dx, width);
  bounce(py, fy, dy, height);
}

void Crosshair::bounce(float& position, float& downward, float delta, float end) {
  position = downward != 0.0f ? position - delta : position + delta;
  if (position >= end) downward = 1.0f;
  if (position <= 0.0f) downward = 0.0f;
}
