// VBODynamic: per-attribute dynamic buffers, mapped for CPU updates.
#include "demosys/render/VBODynamic.h"

#include <GL/glew.h>

#include <algorithm>
#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/Shader.h"
#include "demosys/scene/QNVMesh.h"

static const GLvoid* noOffset() { return nullptr; }

// Creates buffer with bytes of data (or undefined contents for no data), checks it and unbinds.
void VBODynamic::createBuffer(unsigned int target, unsigned int& buffer, long bytes, const void* data) {
  glGenBuffers(1, &buffer);
  glBindBuffer(target, buffer);
  glBufferData(target, bytes, data, GL_DYNAMIC_DRAW);
  validateBuffer(target, buffer);
  glBindBuffer(target, 0);
}

static GLsizeiptr floatBytes(unsigned int count, unsigned int components) {
  return static_cast<GLsizeiptr>(count) * components * sizeof(GLfloat);
}

VBODynamic::VBODynamic(unsigned int vertices, unsigned int positions, unsigned int colors,
                       unsigned int normals, unsigned int texCoords, unsigned int perPolygon,
                       unsigned int polygons)
    : vertexCount(vertices),
      polygonCount(polygons),
      positionComponents(positions),
      colorComponents(colors),
      normalComponents(normals),
      texCoordComponents(texCoords),
      verticesPerPolygon(perPolygon) {
  initBuffers();
}

VBODynamic::VBODynamic(const MeshArrays& mesh)
    : vertexPointer(mesh.positions),
      normalPointer(mesh.normals),
      polygonPointer(mesh.polygons),
      texCoordPointer(mesh.texCoords),
      vertexCount(mesh.vertexCount),
      polygonCount(mesh.polygonCount),
      positionComponents(3),
      normalComponents(3),
      texCoordComponents(2),
      verticesPerPolygon(mesh.verticesPerPolygon) {
  initMeshBuffers();
}

// The mesh keeps its vectors as packed floats (three or two per element) and its indices as ints.
VBODynamic::MeshArrays VBODynamic::arraysOf(QNVMesh& mesh) {
  static_assert(sizeof(Vector3f) == 3 * sizeof(float) && sizeof(Vector2f) == 2 * sizeof(float),
                "mesh vectors are packed floats");
  return {static_cast<unsigned int>(mesh.getNumVertices()), static_cast<unsigned int>(mesh.getVerticesPerFace()),
          static_cast<unsigned int>(mesh.getNumFaces()), reinterpret_cast<float*>(mesh.getVertexPointer()),
          reinterpret_cast<unsigned int*>(mesh.getPolygonPointer()), reinterpret_cast<float*>(mesh.getVertexNormalPointer()),
          reinterpret_cast<float*>(mesh.getTexCoordPointer())};
}

VBODynamic::VBODynamic(QNVMesh* mesh) : VBODynamic(arraysOf(*mesh)) {}

VBODynamic::~VBODynamic() {
  for (GLuint buffer : {vertexBuffer, polygonBuffer, texCoordBuffer, normalBuffer, colorBuffer}) {
    if (buffer != 0) glDeleteBuffers(1, &buffer);
  }
  for (GLuint buffer : attribBuffers) {
    if (buffer != 0) glDeleteBuffers(1, &buffer);
  }
}

void VBODynamic::initBuffers() {
  if (positionComponents != 0) {
    createBuffer(GL_ARRAY_BUFFER, vertexBuffer, floatBytes(vertexCount, positionComponents), nullptr);
  }
  if (colorComponents != 0) {
    createBuffer(GL_ARRAY_BUFFER, colorBuffer, floatBytes(vertexCount, colorComponents), nullptr);
  }
  if (normalComponents != 0) {
    createBuffer(GL_ARRAY_BUFFER, normalBuffer, floatBytes(vertexCount, normalComponents), nullptr);
  }
  if (texCoordComponents != 0) {
    createBuffer(GL_ARRAY_BUFFER, texCoordBuffer, floatBytes(vertexCount, texCoordComponents), nullptr);
  }
  if (verticesPerPolygon != 0) {
    GLsizeiptr bytes = static_cast<GLsizeiptr>(polygonCount) * verticesPerPolygon * sizeof(GLuint);
    createBuffer(GL_ELEMENT_ARRAY_BUFFER, polygonBuffer, bytes, nullptr);
  }
}

void VBODynamic::initMeshBuffers() {
  createBuffer(GL_ARRAY_BUFFER, vertexBuffer, floatBytes(vertexCount, 3), vertexPointer);
  GLsizeiptr indexBytes = static_cast<GLsizeiptr>(polygonCount) * verticesPerPolygon * sizeof(GLuint);
  createBuffer(GL_ELEMENT_ARRAY_BUFFER, polygonBuffer, indexBytes, polygonPointer);
  createBuffer(GL_ARRAY_BUFFER, normalBuffer, floatBytes(vertexCount, 3), normalPointer);
  createBuffer(GL_ARRAY_BUFFER, texCoordBuffer, floatBytes(vertexCount, 2), texCoordPointer);
}

template <typename T>
T* VBODynamic::map(unsigned int target, unsigned int buffer, unsigned int access, const char* what) {
  glBindBuffer(target, buffer);
  T* pointer = static_cast<T*>(glMapBuffer(target, access));
  if (pointer == nullptr) {
    std::cout << "VBODynamic::" << what << "() cannot map the buffer" << std::endl;
    QNVDemosys::glErrPrint(std::string("VBODynamic::") + what);
  }
  return pointer;
}

template <typename T>
void VBODynamic::unmap(unsigned int target, unsigned int buffer, T*& pointer) {
  glBindBuffer(target, buffer);
  glUnmapBuffer(target);
  pointer = nullptr;
}

float* VBODynamic::openVertexBuffer(unsigned int access) {
  return vertexPointer = map<float>(GL_ARRAY_BUFFER, vertexBuffer, access, "openVertexBuffer");
}

float* VBODynamic::openVertexNormalBuffer(unsigned int access) {
  return normalPointer = map<float>(GL_ARRAY_BUFFER, normalBuffer, access, "openVertexNormalBuffer");
}

float* VBODynamic::openColorBuffer(unsigned int access) {
  return colorPointer = map<float>(GL_ARRAY_BUFFER, colorBuffer, access, "openColorBuffer");
}

float* VBODynamic::openUVBuffer(unsigned int access) {
  return texCoordPointer = map<float>(GL_ARRAY_BUFFER, texCoordBuffer, access, "openUVBuffer");
}

unsigned int* VBODynamic::openPolygonBuffer(unsigned int access) {
  return polygonPointer =
             map<unsigned int>(GL_ELEMENT_ARRAY_BUFFER, polygonBuffer, access, "openPolygonBuffer");
}

float* VBODynamic::openAttribBuffer(unsigned int index, unsigned int access) {
  if (index >= maxAttributes) return nullptr;
  return attribPointers[index] =
             map<float>(GL_ARRAY_BUFFER, attribBuffers[index], access, "openAttribBuffer");
}

void VBODynamic::closeVertexBuffer() { unmap(GL_ARRAY_BUFFER, vertexBuffer, vertexPointer); }
void VBODynamic::closeVertexNormalBuffer() { unmap(GL_ARRAY_BUFFER, normalBuffer, normalPointer); }
void VBODynamic::closeColorBuffer() { unmap(GL_ARRAY_BUFFER, colorBuffer, colorPointer); }
void VBODynamic::closeUVBuffer() { unmap(GL_ARRAY_BUFFER, texCoordBuffer, texCoordPointer); }
void VBODynamic::closePolygonBuffer() { unmap(GL_ELEMENT_ARRAY_BUFFER, polygonBuffer, polygonPointer); }

void VBODynamic::closeAttribBuffer(unsigned int index) {
  if (index < maxAttributes) unmap(GL_ARRAY_BUFFER, attribBuffers[index], attribPointers[index]);
}

template <int N>
void VBODynamic::setValues(float* array, unsigned int components, unsigned int i,
                           const Vector<float, N>& values, const char* what) {
  if (static_cast<unsigned long long>(i) * components >=
      static_cast<unsigned long long>(components) * vertexCount) {
    std::cout << "VBODynamic::" << what << "(" << i << ") overflow!" << std::endl;
    return;
  }
  if (array == nullptr) return;
  unsigned int written = std::min(components, static_cast<unsigned int>(N));
  for (unsigned int k = 0; k < written; ++k) array[i * components + k] = values[static_cast<int>(k)];
}

template <int N>
void VBODynamic::setIndices(unsigned int i, const Vector<int, N>& indices) {
  unsigned long long start = static_cast<unsigned long long>(i) * N;
  if (start >= static_cast<unsigned long long>(polygonCount) * N ||
      start + N > static_cast<unsigned long long>(polygonCount) * verticesPerPolygon) {
    std::cout << "VBODynamic::setPolygon(" << i << ") overflow!" << std::endl;
    return;
  }
  if (polygonPointer == nullptr) return;
  for (int k = 0; k < N; ++k) polygonPointer[start + k] = static_cast<unsigned int>(indices[k]);
}

void VBODynamic::setVertex(unsigned int i, const Vector3f& position) {
  setValues(vertexPointer, positionComponents, i, position, "setVertex");
}

void VBODynamic::setColor(unsigned int i, const Vector3f& color) {
  setValues(colorPointer, colorComponents, i, color, "setColor");
}

void VBODynamic::setColor(unsigned int i, const Vector4f& color) {
  setValues(colorPointer, colorComponents, i, color, "setColor");
}

void VBODynamic::setPolygon(unsigned int i, const Vector3i& indices) { setIndices(i, indices); }

void VBODynamic::setPolygon(unsigned int i, const Vector4i& indices) { setIndices(i, indices); }

void VBODynamic::bindBuffers() {
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(static_cast<GLint>(positionComponents), GL_FLOAT, 0, noOffset());
  if (normalComponents != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, normalBuffer);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, noOffset());
  }
  if (colorComponents != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, colorBuffer);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(static_cast<GLint>(colorComponents), GL_FLOAT, 0, noOffset());
  }
  if (texCoordComponents != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, texCoordBuffer);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glClientActiveTexture(GL_TEXTURE0);
    glTexCoordPointer(static_cast<GLint>(texCoordComponents), GL_FLOAT, 0, noOffset());
  }
}

void VBODynamic::unbindBuffers() {
  glDisableClientState(GL_VERTEX_ARRAY);
  if (normalComponents != 0) glDisableClientState(GL_NORMAL_ARRAY);
  if (texCoordComponents != 0) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (colorComponents != 0) glDisableClientState(GL_COLOR_ARRAY);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// A count beyond the index buffer is cut to what the buffer holds.
void VBODynamic::drawPolygons(unsigned int mode, unsigned int first, unsigned int count) {
  unsigned int polygons = first == count ? polygonCount : std::min(count, polygonCount);
  bindBuffers();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, polygonBuffer);
  glDrawElements(mode, static_cast<GLsizei>(polygons * verticesPerPolygon), GL_UNSIGNED_INT, noOffset());
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  unbindBuffers();
}

// A range beyond the vertices is cut to what the buffers hold.
void VBODynamic::drawArray(unsigned int mode, unsigned int first, unsigned int count) {
  if (first == count) {
    first = 0;
    count = vertexCount;
  }
  if (first >= vertexCount) return;
  bindBuffers();
  glDrawArrays(mode, static_cast<GLint>(first), static_cast<GLsizei>(std::min(count, vertexCount - first)));
  unbindBuffers();
}

void VBODynamic::initVertexAttributeData(unsigned int index, unsigned int sizeInBytes, const void* data) {
  if (index >= maxAttributes) return;
  if (attribBuffers[index] != 0) glDeleteBuffers(1, &attribBuffers[index]);
  createBuffer(GL_ARRAY_BUFFER, attribBuffers[index], sizeInBytes, data);
}

void VBODynamic::bindVertexAttrib(unsigned int index, Shader* shader, const char* name) {
  GLint location = glGetAttribLocation(shader->getProgramHandle(), name);
  if (index >= maxAttributes || location < 0) return;
  glBindBuffer(GL_ARRAY_BUFFER, attribBuffers[index]);
  glVertexAttribPointer(static_cast<GLuint>(location), 3, GL_FLOAT, GL_FALSE, 0, noOffset());
  glEnableVertexAttribArray(static_cast<GLuint>(location));
}

bool VBODynamic::validateBuffer(unsigned int target, unsigned int) {
  GLint size = 0;
  glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
  QNVDemosys::glErrPrint("VBO::validateBuffer");
  return size > 0;
}
