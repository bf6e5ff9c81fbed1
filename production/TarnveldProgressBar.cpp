// TarnveldProgressBar: the loading picture and its advancing overlay.
#include "production/TarnveldProgressBar.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <algorithm>

#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"

namespace {

const char* const BACKGROUND_FILE = "resources/graphics/Loading1.png";
const char* const OVERLAY_FILE = "resources/graphics/Loading2.png";
// Each overlay copy sits this much (in device units) further right than the one before.
const float OVERLAY_SHIFT = 0.258f;
// The pictures fill this part of their textures.
const float PICTURE_RIGHT = 0.9375f;
const float PICTURE_BOTTOM = 0.4727f;

}  // namespace

TarnveldProgressBar::TarnveldProgressBar(int ticks) : ProgressBar(ticks) {}

TarnveldProgressBar::~TarnveldProgressBar() {
  delete backgroundTexture;
  delete overlayTexture;
}

void TarnveldProgressBar::loadData() {
  backgroundTexture = QNVIO::loadTexture(BACKGROUND_FILE, GL_TEXTURE_2D, false);
  overlayTexture = QNVIO::loadTexture(OVERLAY_FILE, GL_TEXTURE_2D, false);
  resources.push_back(BACKGROUND_FILE);
  resources.push_back(OVERLAY_FILE);
}

// A total of 0 or less has nothing left to pass: every step shows.
int TarnveldProgressBar::overlayCopies() const {
  if (currentTick <= 0) return 0;
  const float step = static_cast<float>(totalTicks) / STEPS;
  if (step <= 0.0f) return STEPS;
  int copies = 0;
  float threshold = 0.0f;
  do {
    ++copies;
    threshold += step;
  } while (static_cast<float>(currentTick) > threshold);
  return copies;
}

void TarnveldProgressBar::screenHighQuad(float left, float right) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(left, 1.0f);
  glTexCoord2f(PICTURE_RIGHT, 1.0f);
  glVertex2f(right, 1.0f);
  glTexCoord2f(PICTURE_RIGHT, PICTURE_BOTTOM);
  glVertex2f(right, -1.0f);
  glTexCoord2f(0.0f, PICTURE_BOTTOM);
  glVertex2f(left, -1.0f);
  glEnd();
}

void TarnveldProgressBar::draw() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

  if (backgroundTexture != nullptr) {
    backgroundTexture->bind();
    screenHighQuad(-1.0f, 1.0f);
    backgroundTexture->release();
  }

  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (overlayTexture != nullptr) {
    overlayTexture->bind();
    const int copies = overlayCopies();
    for (int copy = 0; copy < copies; ++copy) {
      const float shift = OVERLAY_SHIFT * static_cast<float>(std::min(copy, STEPS - 1));
      screenHighQuad(shift - 1.0f, shift + 1.0f);
    }
    overlayTexture->release();
  }
  glDisable(GL_BLEND);
  glDisable(GL_COLOR_MATERIAL);
  SDL_GL_SwapBuffers();
}
