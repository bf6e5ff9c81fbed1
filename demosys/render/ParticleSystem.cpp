// ParticleSystem: start values, their buffers and the point and point-sprite drawing.
#include "demosys/render/ParticleSystem.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/Shader.h"

namespace {

constexpr float maxSpriteSize = 100.0f;

std::size_t particleCount(int width, int height) {
  return static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
}

// rand() runs to 2^31 - 1 here; the quotient lies below 1 but the largest ones round to 1 as
// floats, which would put start times at 100 and velocities at 0.1. They stay just below.
float random01() {
  const float r = static_cast<float>(static_cast<double>(std::rand()) / 2147483648.0);
  return std::min(r, 0x1.fffffep-1f);
}

}  // namespace

ParticleSystem::ParticleSystem(int w, int h, bool full)
    : positions(particleCount(w, h)), width(std::max(w, 0)), height(std::max(h, 0)) {
  if (!full) return;
  colours.assign(positions.size() * 3, 0.0f);
  velocities.assign(positions.size() * 3, 0.0f);
  startTimes.assign(positions.size(), 0.0f);
}

ParticleSystem::~ParticleSystem() { deleteBuffers(); }

// The arrays were sized by the constructor: a larger grid asked for here is filled only as far as
// the arrays go.
void ParticleSystem::createPoints(int w, int h) {
  const std::size_t count = std::min(particleCount(w, h), positions.size());
  for (std::size_t i = 0; i < count; ++i) {
    for (int c = 0; c < 3; ++c) positions[i][c] = random01() * 0.01f - 0.005f;
    if (!colours.empty()) {
      for (int c = 0; c < 3; ++c) colours[i * 3 + c] = random01();
    }
    if (!velocities.empty()) {
      for (int c = 0; c < 3; ++c) velocities[i * 3 + c] = (random01() - 0.5f) / 5.0f;
    }
    if (!startTimes.empty()) startTimes[i] = random01() * 100.0f;
  }
  std::cout << "Index = " << count << std::endl;
}

void ParticleSystem::initTexCoordBuffer() { texCoords.assign(positions.size() * 2, 0.0f); }

unsigned int ParticleSystem::upload(const void* data, long bytes, const char* traceName) {
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_DYNAMIC_DRAW);
  GLint size = 0;
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
  QNVDemosys::glErrPrint("VBO::validateBuffer");
  if (trace) std::cout << traceName << "Buffer size = " << size << std::endl;
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return buffer;
}

void ParticleSystem::initBuffers() {
  deleteBuffers();
  const long count = static_cast<long>(positions.size());
  vertexBuffer = upload(positions.data(), count * 12, "VertexBuffer: ");
  if (!texCoords.empty()) texCoordBuffer = upload(texCoords.data(), count * 8, "TextureCoords: ");
  if (!colours.empty()) colourBuffer = upload(colours.data(), count * 12, "ColorBuffer: ");
  if (!velocities.empty()) velocityBuffer = upload(velocities.data(), count * 12, "VelocityBuffer: ");
  if (!startTimes.empty()) startBuffer = upload(startTimes.data(), count * 4, "StartBuffer: ");
}

void ParticleSystem::deleteBuffers() {
  for (unsigned int* buffer :
       {&vertexBuffer, &texCoordBuffer, &colourBuffer, &velocityBuffer, &startBuffer}) {
    if (*buffer != 0) glDeleteBuffers(1, buffer);
    *buffer = 0;
  }
}

// An attribute the shader does not use has no location (-1) and is left alone.
static void bindAttribute(int location, unsigned int buffer, int components) {
  if (location < 0) return;
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
  glEnableVertexAttribArray(static_cast<GLuint>(location));
}

void ParticleSystem::drawSystem(Shader* shader) {
  if (vertexBuffer == 0) return;
  const GLuint program = shader->getProgramHandle();
  velocityAttribute = velocityBuffer != 0 ? glGetAttribLocation(program, "Velocity") : -1;
  startAttribute = startBuffer != 0 ? glGetAttribLocation(program, "StartTime") : -1;

  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (texCoordBuffer != 0) {
    glClientActiveTexture(GL_TEXTURE0);
    glBindBuffer(GL_ARRAY_BUFFER, texCoordBuffer);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  if (colourBuffer != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, colourBuffer);
    glColorPointer(3, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_COLOR_ARRAY);
  }
  bindAttribute(velocityAttribute, velocityBuffer, 3);
  bindAttribute(startAttribute, startBuffer, 1);
  glBindBuffer(GL_ARRAY_BUFFER, 0);

  glDrawArrays(GL_POINTS, 0, getCount());

  glDisableClientState(GL_VERTEX_ARRAY);
  if (texCoordBuffer != 0) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (colourBuffer != 0) glDisableClientState(GL_COLOR_ARRAY);
  if (velocityAttribute >= 0) glDisableVertexAttribArray(static_cast<GLuint>(velocityAttribute));
  if (startAttribute >= 0) glDisableVertexAttribArray(static_cast<GLuint>(startAttribute));
}

void ParticleSystem::drawPoints(Shader* shader, float time) {
  shader->use();
  shader->setUniform1f("Time", time);
  drawSystem(shader);
  shader->release();
}

void ParticleSystem::drawPointSprites(Shader* shader) { drawSprites(shader, nullptr, nullptr); }

void ParticleSystem::drawPointSprites(Shader* shader, Texture* texture) {
  drawSprites(shader, texture, nullptr);
}

void ParticleSystem::drawPointSprites(Shader* shader, Texture* texture, float time) {
  drawSprites(shader, texture, &time);
}

// The sprite size is capped at 100 pixels or the driver's limit, whichever is smaller.
void ParticleSystem::drawSprites(Shader* shader, Texture* texture, const float* time) {
  GLint blendSource = GL_ONE;
  GLint blendDestination = GL_ZERO;
  glGetIntegerv(GL_BLEND_SRC, &blendSource);
  glGetIntegerv(GL_BLEND_DST, &blendDestination);
  GLfloat attenuation[3] = {1.0f, 0.0f, 0.0f};
  GLfloat sizeMax = maxSpriteSize;
  glGetFloatv(GL_POINT_DISTANCE_ATTENUATION, attenuation);
  glGetFloatv(GL_POINT_SIZE_MAX, &sizeMax);
  GLint coordReplace = GL_FALSE;
  glGetTexEnviv(GL_POINT_SPRITE, GL_COORD_REPLACE, &coordReplace);

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthMask(GL_FALSE);
  shader->use();
  if (time != nullptr) shader->setUniform1f("Time", *time);
  if (texture != nullptr) shader->setTextureUnit0("particle", texture);
  shader->setUniform1f("PointSize", pointSize);
  const GLfloat spriteAttenuation[3] = {1.0f, 0.0f, 0.01f};
  glPointParameterfv(GL_POINT_DISTANCE_ATTENUATION, spriteAttenuation);
  glPointParameterf(GL_POINT_SIZE_MAX, std::min(sizeMax, maxSpriteSize));
  glTexEnvf(GL_POINT_SPRITE, GL_COORD_REPLACE, 1.0f);
  glEnable(GL_POINT_SPRITE);
  glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);

  drawSystem(shader);

  glDisable(GL_POINT_SPRITE);
  glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
  shader->release();
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glBlendFunc(static_cast<GLenum>(blendSource), static_cast<GLenum>(blendDestination));
  glPointParameterfv(GL_POINT_DISTANCE_ATTENUATION, attenuation);
  glPointParameterf(GL_POINT_SIZE_MAX, sizeMax);
  glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, coordReplace);
}
