#include "production/effects/Ruler.h"

#include <GL/glew.h>

// The tick counter starts at 0, so with a period of 10 the ticks 10, 20, 30, ... are the long ones.
Ruler::Ruler(float x, float y, float tickLength, float length, int ticks, int longTickPeriod, int orientation,
             const Vector4f& colour)
    : x(x),
      y(y),
      period(longTickPeriod),
      orientation(orientation),
      colour(colour),
      spacing(length / static_cast<float>(ticks)) {
  addLine(0.0f, 0.0f, 0.0f, -length);
  int counter = 0;
  for (int i = 0; i < ticks + longTickPeriod; ++i) {
    const float at = -static_cast<float>(i) * spacing;
    if (counter >= longTickPeriod) {
      addLine(0.0f, at, -tickLength, at);
      counter = 1;
    } else {
      addLine(0.0f, at, -0.5f * tickLength, at);
      ++counter;
    }
  }
}

void Ruler::addLine(float x0, float y0, float x1, float y1) {
  lines.push_back(Vector3f(x0, y0, -1.0f));
  lines.push_back(Vector3f(x1, y1, -1.0f));
}

void Ruler::draw(float offset) {
  scroll += offset;
  if (scroll <= -(static_cast<float>(period) * spacing)) scroll = 0.0f;
  glPushMatrix();
  if (orientation == horizontal) {
    glTranslatef(x + scroll, y, 0.0f);
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  } else {
    glTranslatef(x, y + scroll, 0.0f);
  }
  glColor4fv(colour.data());
  glBegin(GL_LINES);
  for (const Vector3f& v : lines) glVertex3fv(v.data());
  glEnd();
  glPopMatrix();
}
