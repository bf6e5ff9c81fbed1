// ProgressBar: tick counting and the three-quad bar.
#include "demosys/core/ProgressBar.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "demosys/render/NdcMatrices.h"

ProgressBar::ProgressBar() = default;

ProgressBar::ProgressBar(int ticks) : totalTicks(ticks) {}

ProgressBar::ProgressBar(float height, float width, float y, int ticks)
    : barHeight(height), barWidth(width), barY(y), totalTicks(ticks) {}

void ProgressBar::tick() {
  if (currentTick == totalTicks) return;
  progress = static_cast<float>(currentTick) / static_cast<float>(totalTicks);
  ++currentTick;
  draw();
}

std::string ProgressBar::getResource(int index) const {
  if (index < 0 || index >= getResourceCount()) return "";
  return resources[static_cast<size_t>(index)];
}

void ProgressBar::quad(float left, float right, float bottom, float top) {
  glBegin(GL_QUADS);
  glVertex3f(left, top, 0.0f);
  glVertex3f(right, top, 0.0f);
  glVertex3f(right, bottom, 0.0f);
  glVertex3f(left, bottom, 0.0f);
  glEnd();
}

void ProgressBar::draw() {
  NdcMatrices::push();
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);

  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  float halfW = barWidth / 2.0f;
  float bottom = barY - barHeight / 2.0f;
  float top = barY + barHeight / 2.0f;
  glColor3f(1.0f, 1.0f, 1.0f);
  quad(-halfW, halfW, bottom, top);
  glColor3f(0.0f, 0.0f, 0.0f);
  quad(-halfW + 0.01f, halfW - 0.01f, bottom + 0.012f, top - 0.012f);
  glColor3f(1.0f, 1.0f, 1.0f);
  float fillLeft = -halfW + 0.015f;
  quad(fillLeft, fillLeft + (barWidth - 0.03f) * progress, bottom + 0.019f, top - 0.019f);

  glColor3f(1.0f, 1.0f, 1.0f);
  glDisable(GL_COLOR_MATERIAL);
  NdcMatrices::pop();
  SDL_GL_SwapBuffers();
}
