#include "production/effects/FullScreenQuad.h"

#include <GL/glew.h>

#include "demosys/render/NdcMatrices.h"

namespace FullScreenQuad {

void draw() {
  NdcMatrices::push();
  vertices(1.0f, 0.0f);
  NdcMatrices::pop();
}

void vertices(float sMax, float tMin) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-1.0f, 1.0f);
  glTexCoord2f(sMax, 1.0f);
  glVertex2f(1.0f, 1.0f);
  glTexCoord2f(sMax, tMin);
  glVertex2f(1.0f, -1.0f);
  glTexCoord2f(0.0f, tMin);
  glVertex2f(-1.0f, -1.0f);
  glEnd();
}

}  // namespace FullScreenQuad
