#include "production/effects/HUDMeter.h"

#include <GL/glew.h>

#include <algorithm>

HUDMeter::HUDMeter(float x, float y, int segments, const Vector4f& colour)
    : x(x), y(y), segments(segments), colour(colour) {
  quads.reserve(static_cast<size_t>(4 * segments));
}

// Every HUD vertex lies at z = -1, on the near plane of the HUD's projection.
void HUDMeter::addQuad(const Vector2f& a, const Vector2f& b, const Vector2f& c, const Vector2f& d) {
  for (const Vector2f* corner : {&a, &b, &c, &d}) quads.push_back(Vector3f(corner->x(), corner->y(), -1.0f));
}

// Only every second segment is shown, so at most half of them (rounded up) can light; a higher
// level shows them all instead of reading past the list.
void HUDMeter::draw(int requested) {
  level = level <= requested ? requested : level - 1;
  const int shown = std::min(std::max(level, 0), (segments + 1) / 2);
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glColor4fv(colour.data());
  glBegin(GL_QUADS);
  for (int k = 0; k < shown; ++k) {
    for (int corner = 0; corner < 4; ++corner) glVertex3fv(quads[static_cast<size_t>(8 * k + corner)].data());
  }
  glEnd();
  glPopMatrix();
}
