#include "production/effects/DisplayTexture.h"

#include <GL/glew.h>

#include <cstdlib>

#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"

namespace {
const char* const declaredTracks[] = {"alpha",    "pos.x",    "pos.y",   "pos.z", "size.x",
                                      "size.y",   "rot.x",    "rot.y",   "rot.z", "scroll.x",
                                      "scroll.y", "rndpos.x", "rndpos.y"};
}  // namespace

Effect* DisplayTexture::getInstance() { return new DisplayTexture(); }

void DisplayTexture::registerTracks() {
  for (const char* name : declaredTracks) addTrackName(name);
}

void DisplayTexture::reset() {
  scroll[0] = scroll[1] = 0.0f;
  alpha = 1.0f;
}

// A shader name the pool does not hold (the definition's default is "none") means no shader.
void DisplayTexture::init() {
  reset();
  EffectResources look(*this);
  texture = look.textureOf("texture");
  std::string blend = look.parameter("alphablend");
  alphaBlending = blend == "1" || blend == "true";
  shader = look.optionalShaderOf("shader");
  for (int i = 0; i < TRACK_COUNT; ++i) tracks[i] = look.track(declaredTracks[i]);
  ready = look.complete();
}

void DisplayTexture::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  readTracks(time);
  setState();
  glTranslatef(position[0], position[1], position[2]);
  glRotatef(rotation[0], 1.0f, 0.0f, 0.0f);
  glRotatef(rotation[1], 0.0f, 1.0f, 0.0f);
  glRotatef(rotation[2], 0.0f, 0.0f, 1.0f);
  if (shader != nullptr) {
    shader->use();
    shader->setUniform4f("color", 1.0f, 1.0f, 1.0f, alpha);
  } else {
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
  }
  drawQuad();
  advanceScroll(frameDelta);
  restoreState();
}

float DisplayTexture::jittered(float value, float radius) {
  if (radius <= 0.0f) return value;
  const float unit = 1.0f / 2147483648.0f;  // rand() scaled to [0, 1)
  return -radius + 2.0f * radius * (static_cast<float>(std::rand()) * unit);
}

// The quad's size tracks count from a unit half size: 0 fills the view's unit square.
void DisplayTexture::readTracks(unsigned time) {
  float v[TRACK_COUNT];
  for (int i = 0; i < TRACK_COUNT; ++i) v[i] = tracks[i]->getValue(time);
  alpha = v[ALPHA];
  position[0] = jittered(v[POS_X], v[RNDPOS_X]);
  position[1] = jittered(v[POS_Y], v[RNDPOS_Y]);
  position[2] = v[POS_Z] - 1.0f;
  halfWidth = v[SIZE_X] + 1.0f;
  halfHeight = v[SIZE_Y] + 1.0f;
  rotation[0] = v[ROT_X];
  rotation[1] = v[ROT_Y];
  rotation[2] = v[ROT_Z];
  scrollSpeed[0] = v[SCROLL_X];
  scrollSpeed[1] = v[SCROLL_Y];
  scrolling = scrollSpeed[0] > 0.0f || scrollSpeed[1] > 0.0f;
}

// The quad lives in the current perspective view: only the model-view matrix starts afresh.
void DisplayTexture::setState() {
  texture->setTextureWrap(scrolling ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  texture->setTextureEnv(GL_REPLACE);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glDisable(GL_ALPHA_TEST);
  if (alphaBlending) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
  }
  texture->bind();
}

void DisplayTexture::restoreState() {
  if (shader != nullptr) shader->release();
  texture->release();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void DisplayTexture::drawQuad() {
  float u = scroll[0], v = scroll[1], w = halfWidth, h = halfHeight;
  glBegin(GL_QUADS);
  glTexCoord2f(u, v + 1.0f);
  glVertex2f(-w, h);
  glTexCoord2f(u + 1.0f, v + 1.0f);
  glVertex2f(w, h);
  glTexCoord2f(u + 1.0f, v);
  glVertex2f(w, -h);
  glTexCoord2f(u, v);
  glVertex2f(-w, -h);
  glEnd();
}

void DisplayTexture::advanceScroll(unsigned frameDelta) {
  if (!scrolling) return;
  for (int axis = 0; axis < 2; ++axis) {
    scroll[axis] += scrollSpeed[axis] * static_cast<float>(frameDelta) / msPerScrollUnit;
  }
}
