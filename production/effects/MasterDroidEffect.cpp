#include "production/effects/MasterDroidEffect.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Shader.h"
#include "demosys/render/ShaderInstance.h"
#include "demosys/render/Texture.h"
#include "demosys/render/VBO.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"
#include "qnvutils/QNVUtils.h"

namespace {

constexpr float degreesPerSecond = 20.0f;
constexpr float blurRadius = 3.0f;

// A track value as a pass count, saturated for any value (NaN included).
int passCount(float value) {
  if (!(value > 0.0f)) return 0;
  return std::min(static_cast<int>(value), MasterDroidEffect::mostPasses);
}

}  // namespace

Effect* MasterDroidEffect::getInstance() { return new MasterDroidEffect(); }

void MasterDroidEffect::registerTracks() {
  addTrackName("zpos");
  addTrackName("num_passes");
}

void MasterDroidEffect::init() {
  EffectResources look(*this);
  scene = look.scene("master_droid");
  redGlow = look.shaderInstance("red_glow_instance");
  zoomBlend = look.shader("zoom_blend");
  blurX = look.shader("blurx");
  blurY = look.shader("blury");
  kernel = look.texture("blur_kernel");
  droidTarget = look.fbo("masterdroid");
  glowTarget = look.fbo("masterdroid_glow");
  blurTarget = look.fbo("masterdroid_blur");
  zpos = look.track("zpos");
  numPasses = look.track("num_passes");
  zoomFactor = QNVUtils::string2Float(look.parameter("zoom_factor"));
  ready = look.complete();
  if (!ready) return;
  glowing = scene->getObjectByName("GlowingParts");
  // Framed at zpos 0: the box's centre in front of the viewer, near enough to fill the height.
  const Vector3f low = scene->getBBoxMin(), high = scene->getBBoxMax();
  centre = (low + high) * 0.5f;
  const Vector3f extent = high - low;
  distance = 0.8f * std::max({extent.x(), extent.y(), extent.z(), 1.0f});
  for (FrameBufferObject* target : {droidTarget, glowTarget, blurTarget}) {
    target->getColorBuffer()->setTextureWrap(GL_CLAMP_TO_EDGE);
  }
}

void MasterDroidEffect::draw(unsigned time, unsigned) {
  if (!ready) return;
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
  drawDroid(time * 0.001f, zpos->getValue(time));
  spreadGlow(passCount(numPasses->getValue(time)));
  blur(blurX, blurTarget, glowTarget, static_cast<float>(glowTarget->getWidth()));
  blur(blurY, glowTarget, blurTarget, static_cast<float>(blurTarget->getHeight()));
  droidTarget->getColorBuffer()->drawQuadScaledBlend(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, Vector2f(2.0f, 2.0f), Vector2f(-1.0f, 1.0f));
  blurTarget->getColorBuffer()->drawQuadScaledBlend(GL_ONE, GL_ONE, Vector2f(2.0f, 2.0f), Vector2f(-1.0f, 1.0f));
  for (FrameBufferObject* target : {droidTarget, glowTarget, blurTarget}) target->setClearFlag(true);
  glPopAttrib();
}

// The droid under its own lights, and its glowing parts again alone into the glow target, both
// from the same view, over transparent black (the clear colour is restored with the attributes).
void MasterDroidEffect::drawDroid(float seconds, float z) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, z - distance);
  glRotatef(seconds * degreesPerSecond, 0.0f, 1.0f, 0.0f);
  glTranslatef(-centre.x(), -centre.y(), -centre.z());
  scene->calcGlobalData(seconds);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  droidTarget->bind();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  scene->enableLights();
  scene->drawInstanced();
  scene->disableLights();
  droidTarget->release();
  glowTarget->bind();
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  drawGlowingParts();
  glowTarget->release();
  glPopMatrix();
}

void MasterDroidEffect::drawGlowingParts() {
  if (glowing == nullptr || glowing->getVBO() == nullptr) return;
  glowing->getVBO()->bindBuffers();
  redGlow->use(glowing->getMaterial());
  glPushMatrix();
  glMultMatrixf(glowing->getGlobalMatrix().data());
  glowing->getVBO()->drawInstanced();
  glPopMatrix();
  redGlow->release();
  glowing->getVBO()->releaseBuffers();
}

// Each pass lays the glow over the blur target a little more magnified and a little fainter.
void MasterDroidEffect::spreadGlow(int passes) {
  blurTarget->bind();
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  zoomBlend->use();
  zoomBlend->setTextureUnit0("Texture", glowTarget->getColorBuffer());
  for (int pass = 0; pass <= passes; ++pass) {
    zoomBlend->setUniform1f("zoom_factor", zoomFactor * static_cast<float>(pass));
    zoomBlend->setUniform1f("alpha", 1.0f / static_cast<float>(pass + 1));
    FullScreenQuad::draw();
  }
  zoomBlend->release();
  glDisable(GL_BLEND);
  blurTarget->release();
}

void MasterDroidEffect::blur(Shader* shader, FrameBufferObject* from, FrameBufferObject* to, float size) {
  to->bind();
  to->clearColorBuffer();
  shader->use();
  shader->setTextureUnit0("source", from->getColorBuffer());
  shader->setTextureUnit1("kernel", kernel);
  shader->setUniform1f("blur_radius", blurRadius);
  shader->setUniform1f("texture_size", size);
  FullScreenQuad::draw();
  shader->release();
  to->release();
}
