// VBO: interleaved static vertex buffer with optional triangle indices.
#include "demosys/render/VBO.h"

#include <GL/glew.h>

static const GLvoid* offset(int bytes) {
  return reinterpret_cast<const GLvoid*>(static_cast<std::size_t>(bytes));
}

VBO::~VBO() {
  if (vertexBuffer != 0) glDeleteBuffers(1, &vertexBuffer);
  if (elementBuffer != 0) glDeleteBuffers(1, &elementBuffer);
}

// Uploading again replaces the buffer rather than leaking the old one.
static void upload(GLenum target, GLuint& buffer, GLsizeiptr bytes, const void* data) {
  if (buffer != 0) glDeleteBuffers(1, &buffer);
  glGenBuffers(1, &buffer);
  glBindBuffer(target, buffer);
  glBufferData(target, bytes, data, GL_STATIC_DRAW);
}

void VBO::setVertexBuffer(int count, int positions, int normals, int texCoords, const float* data) {
  vertexCount = count;
  positionComponents = positions;
  normalComponents = normals;
  texCoordComponents = texCoords;
  stride = (positions + normals + texCoords) * static_cast<int>(sizeof(float));
  upload(GL_ARRAY_BUFFER, vertexBuffer, static_cast<GLsizeiptr>(count) * stride, data);
  validateBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void VBO::setElementBuffer(int count, const unsigned int* indices) {
  triangleCount = count;
  upload(GL_ELEMENT_ARRAY_BUFFER, elementBuffer, static_cast<GLsizeiptr>(count) * 3 * sizeof(GLuint),
         indices);
  validateBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

bool VBO::validateBuffer(unsigned int target, unsigned int) {
  GLint size = 0;
  glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
  return true;
}

void VBO::bindBuffers() {
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glVertexPointer(positionComponents, GL_FLOAT, stride, offset(0));
  glEnableClientState(GL_VERTEX_ARRAY);
  if (normalComponents > 0) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stride, offset(positionComponents * 4));
  }
  if (texCoordComponents > 0) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glClientActiveTexture(GL_TEXTURE0);
    glTexCoordPointer(texCoordComponents, GL_FLOAT, stride,
                      offset((positionComponents + normalComponents) * 4));
  }
  if (triangleCount > 0) glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
}

void VBO::releaseBuffers() {
  glDisableClientState(GL_VERTEX_ARRAY);
  if (normalComponents > 0) glDisableClientState(GL_NORMAL_ARRAY);
  if (texCoordComponents > 0) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (triangleCount > 0) {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }
}

void VBO::drawInstanced() {
  if (triangleCount < 1) {
    glDrawArrays(GL_TRIANGLES, 0, vertexCount);
  } else {
    glDrawElements(GL_TRIANGLES, triangleCount * 3, GL_UNSIGNED_INT, offset(0));
  }
}

void VBO::draw() {
  bindBuffers();
  drawInstanced();
  releaseBuffers();
}

void VBO::drawWireframe() {
  bindBuffers();
  glDrawElements(GL_LINES, triangleCount * 3, GL_UNSIGNED_INT, offset(0));
  releaseBuffers();
}
