#include "production/effects/FullScreenQuad.h"

#include <GL/glew.h>

#include "demosys/render/NdcMatrices.h"

namespace FullScreenQuad {

void draw() {
  NdcMatrices::push();
  vertices(1.0f, 0.0f);
  NdcMatrices::pop();
}

// The corners run clockwise, so a pass drawn after an effect that left back-face culling on would
// vanish: culling is off for the quad and put back as it was.
void vertices(float sMax, float tMin) {
  const GLboolean culling = glIsEnabled(GL_CULL_FACE);
  glDisable(GL_CULL_FACE);
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
  if (culling) glEnable(GL_CULL_FACE);
}

}  // namespace FullScreenQuad
