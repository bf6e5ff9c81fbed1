#include "production/effects/Flag.h"

#include <GL/glew.h>

#include <cmath>

namespace {

// The cloth's sub-rectangle of the logo texture.
constexpr FlagPlane::TextureArea logoArea{0.9375f, 0.4727f, 0.5273f};

}  // namespace

Flag::Flag(float width, float height, int columns, int rows)
    : FlagPlane(width, height, columns, rows, logoArea),
      noiseX(0.525f, 0.01f, 1.0f, 1),
      noiseY(0.925f, 0.015f, 0.5f, 2),
      noiseZ(1.0f, 0.025f, 0.33f, 3),
      columnSamples(static_cast<size_t>(columns)),
      rowSamples(static_cast<size_t>(rows)),
      valuesX(static_cast<size_t>(getVertexCount())),
      valuesY(valuesX.size()),
      valuesZ(valuesX.size()) {
  noiseZ.setValueRange(-2.0f, 2.0f);
  for (int j = 0; j < rows; ++j) rowSamples[static_cast<size_t>(j)] = static_cast<float>(j);
}

// Vertex (i, j) samples the noise at (i + phase, j); each generator fills its grid in one call.
void Flag::wave(float phase) {
  for (int i = 0; i < getColumns(); ++i) columnSamples[static_cast<size_t>(i)] = static_cast<float>(i) + phase;
  noiseX.getValues(columnSamples.data(), getColumns(), rowSamples.data(), getRows(), valuesX.data());
  noiseY.getValues(columnSamples.data(), getColumns(), rowSamples.data(), getRows(), valuesY.data());
  noiseZ.getValues(columnSamples.data(), getColumns(), rowSamples.data(), getRows(), valuesZ.data());
  writeWave([this](int, int, int k) {
    const auto at = static_cast<size_t>(k);
    return Noise{valuesX[at], valuesY[at], valuesZ[at]};
  });
}

void Flag::draw(float phase) {
  wave(phase);
  drawCloth();
  glDisable(GL_CULL_FACE);
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
  drawPole();
  drawKnob();
  drawCords();
  glEnable(GL_CULL_FACE);
  glLineWidth(1.0f);
  // The cloth of the next flag takes the current colour through the flag shader.
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// Pole, knob and cords are placed in the plane's units before its scale: p is where the pole
// stands, a little inside the cloth's pole edge.
void Flag::drawPole() const {
  const float p = getWidth() / 2.0f - 0.1f;
  glBegin(GL_QUADS);
  glVertex3f(scaleX * p, scaleY * 0.15f, -1.0f);
  glVertex3f(scaleX * (p + 0.03f), scaleY * 0.15f, -1.0f);
  glVertex3f(scaleX * (p + 0.03f), scaleY * -10.0f, -1.0f);
  glVertex3f(scaleX * p, scaleY * -10.0f, -1.0f);
  glEnd();
}

void Flag::drawKnob() const {
  const float cx = getWidth() / 2.0f - 0.1f + 0.015f;
  const float cy = 0.15f;
  const float radius = 0.04f;
  const double degrees = 3.14159265358979323846 / 180.0;
  glBegin(GL_TRIANGLES);
  for (int k = 0; k < 16; ++k) {
    const double a0 = 22.5 * k * degrees;
    const double a1 = 22.5 * (k + 1) * degrees;
    glVertex3f(scaleX * (cx + radius * static_cast<float>(std::sin(a0))),
               scaleY * (cy + radius * static_cast<float>(std::cos(a0))), -1.0f);
    glVertex3f(scaleX * (cx + radius * static_cast<float>(std::sin(a1))),
               scaleY * (cy + radius * static_cast<float>(std::cos(a1))), -1.0f);
    glVertex3f(scaleX * cx, scaleY * cy, -1.0f);
  }
  glEnd();
}

// From the cloth's last vertex (a little lower) to just under the knob, and from the vertex next
// to the pole's edge on the bottom row (a little to the right) far down the pole.
void Flag::drawCords() const {
  const float x = scaleX * (getWidth() / 2.0f - 0.1f + 0.015f);
  const Vector3f& tip = getTip();
  const Vector3f& cord = getCordVertex();
  glLineWidth(3.0f);
  glBegin(GL_LINES);
  glVertex3f(tip.x(), tip.y() - scaleY * 0.01f, tip.z());
  glVertex3f(x, scaleY * 0.11f, -1.0f);
  glVertex3f(cord.x() + scaleX * 0.01f, cord.y(), cord.z());
  glVertex3f(x, scaleY * -2.0f, -1.0f);
  glEnd();
}
