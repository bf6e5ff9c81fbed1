#include "production/effects/ParticleFormation.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <iostream>

#include "demosys/render/ParticleSystem.h"
#include "demosys/render/Shader.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "production/effects/EffectResources.h"
#include "qnvutils/QNVUtils.h"

namespace {

constexpr float heightOverFloor = 1.5f;

}  // namespace

ParticleFormation::ParticleFormation() = default;
ParticleFormation::~ParticleFormation() = default;

Effect* ParticleFormation::getInstance() { return new ParticleFormation(); }

void ParticleFormation::init() {
  EffectResources look(*this);
  sprite = look.textureOf("sprite");
  QNVScene* scene = look.sceneOf("scene");
  shader = look.shaderOf("shader");
  overlay = look.texture("bender_overlay");
  ready = look.complete();
  if (!ready) return;
  QNVObject* floor = scene->getObjectByName("Floor");
  if (floor == nullptr) {
    std::cout << "ParticleFormation: no object \"Floor\"" << std::endl;
    ready = false;
    return;
  }
  particles = std::make_unique<ParticleSystem>(columns, rows, false);
  particles->setPointSize(QNVUtils::string2Float(look.parameter("PointSize")));
  placeParticles(floor->getBBoxMin(), floor->getBBoxMax());
}

// Rows run along the floor's depth (z), columns along its length (x); the picture's top row
// lies at the far side.
void ParticleFormation::placeParticles(const Vector3f& low, const Vector3f& high) {
  particles->initTexCoordBuffer();
  Vector3f* positions = particles->getVertexPointer();
  float* texCoords = particles->getTexCoordPointer();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const float s = (c + 0.5f) / columns, t = (r + 0.5f) / rows;
      const int i = r * columns + c;
      positions[i] = Vector3f(low.x() + s * (high.x() - low.x()), high.y() + heightOverFloor,
                              high.z() - t * (high.z() - low.z()));
      texCoords[2 * i] = s;
      texCoords[2 * i + 1] = t;
    }
  }
  particles->initBuffers();
  centre = (low + high) * 0.5f;
  size = std::max(high.x() - low.x(), high.z() - low.z());
}

void ParticleFormation::draw(unsigned time, unsigned) {
  if (!ready) return;
  glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_POINT_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  gluLookAt(centre.x(), centre.y() + 0.45f * size, centre.z() + 0.6f * size, centre.x(), centre.y(), centre.z(),
            0.0, 1.0, 0.0);
  glEnable(GL_DEPTH_TEST);
  shader->use();
  shader->setTextureUnit1("texture", overlay);
  particles->drawPointSprites(shader, sprite, time * 0.001f);
  glPopMatrix();
  glPopAttrib();
}
