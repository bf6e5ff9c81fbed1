// ScreenMetrics: letterbox viewport and perspective projection.
#include "demosys/core/ScreenMetrics.h"

#include <GL/gl.h>

#include <cmath>

ScreenMetrics::ScreenMetrics() {
  for (int i = 0; i < 16; ++i) projection[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void ScreenMetrics::initView() {
  int bandHeight = static_cast<int>(0.5625f * static_cast<float>(width));
  viewportX = 0;
  viewportWidth = width - 1;
  viewportY = static_cast<int>(static_cast<float>(height - bandHeight) * 0.5f);
  viewportHeight = bandHeight;
  aspect = static_cast<float>(width) / static_cast<float>(height);
  fov = 50.0f;
}

void ScreenMetrics::resize(int w, int h) {
  width = w;
  height = h;
  initView();
}

// The aspect is the window's, not the band's, as the picture was composed for it.
void ScreenMetrics::updateMatrix() {
  const float pi = 3.14159265358979f;
  float f = 1.0f / std::tan(fov * pi / 360.0f);
  for (float& element : projection) element = 0.0f;
  projection[0] = f / aspect;
  projection[5] = f;
  projection[10] = (nearPlane + farPlane) / (nearPlane - farPlane);
  projection[11] = -1.0f;
  projection[14] = 2.0f * nearPlane * farPlane / (nearPlane - farPlane);
}

void ScreenMetrics::setView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glViewport(viewportX, viewportY, viewportWidth, viewportHeight);
  updateMatrix();
  glLoadMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
}
