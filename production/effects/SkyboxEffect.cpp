#include "production/effects/SkyboxEffect.h"

#include <GL/glew.h>

#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"
#include "production/effects/EffectResources.h"
#include "qnvutils/QNVUtils.h"

namespace {

// Parameter keys in face order; each face's picture is the view from the centre along one axis
// with its top row up (top borders north, bottom borders south).
const char* const faceKeys[SkyboxEffect::faceCount] = {"texture_north", "texture_south", "texture_east",
                                                      "texture_west",  "texture_top",   "texture_bottom"};

// The point (u, v) of a face, both from -1 to 1 (u to the right, v up), as a direction.
void facePoint(int face, float u, float v, float out[3]) {
  const float table[SkyboxEffect::faceCount][3] = {{u, v, -1.0f}, {-u, v, 1.0f}, {1.0f, v, u},
                                                   {-1.0f, v, -u}, {u, 1.0f, -v}, {u, -1.0f, v}};
  for (int axis = 0; axis < 3; ++axis) out[axis] = table[face][axis];
}

}  // namespace

Effect* SkyboxEffect::getInstance() { return new SkyboxEffect(); }

void SkyboxEffect::init() {
  EffectResources look(*this);
  for (int face = 0; face < faceCount; ++face) {
    faces[face] = look.parameter(faceKeys[face]) == "none" ? nullptr : look.textureOf(faceKeys[face]);
  }
  const std::string shaderName = look.parameter("shader");
  shader = shaderName == "none" || shaderName == "NULL" ? nullptr : look.shaderOf("shader");
  x = QNVUtils::string2Float(look.parameter("xpos"));
  y = QNVUtils::string2Float(look.parameter("ypos"));
  z = QNVUtils::string2Float(look.parameter("zpos"));
  scale = QNVUtils::string2Float(look.parameter("scale"));
  ready = look.complete();
}

void SkyboxEffect::draw(unsigned, unsigned) {
  if (!ready) return;
  glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT);
  glDepthMask(GL_FALSE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(x, y, z);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  if (shader != nullptr) {
    shader->use();
    shader->setUniform4f("color", 1.0f, 1.0f, 1.0f, 1.0f);
  }
  drawFaces();
  if (shader != nullptr) shader->release();
  glPopMatrix();
  glPopAttrib();
}

void SkyboxEffect::drawFaces() const {
  static const float corners[4][2] = {{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}};
  for (int face = 0; face < faceCount; ++face) {
    if (faces[face] == nullptr) continue;
    faces[face]->bind();
    glBegin(GL_QUADS);
    for (const auto& corner : corners) {
      float p[3];
      facePoint(face, corner[0], corner[1], p);
      glTexCoord2f(0.5f * (corner[0] + 1.0f), 0.5f * (corner[1] + 1.0f));
      glVertex3f(p[0] * scale, p[1] * scale, p[2] * scale);
    }
    glEnd();
    faces[face]->release();
  }
}
