// Static geometry of a scene mesh in GL buffer objects: one interleaved vertex buffer (position,
// then normal, then texture coordinate floats per vertex) and an optional buffer of triangle
// indices, drawn with the fixed-function client arrays.
// Depends on: Vector, GLEW.
#pragma once

#include <string>

#include "demosys/math/Vector.h"

class VBO {
 public:
  VBO() = default;
  ~VBO();
  VBO(const VBO&) = delete;
  VBO& operator=(const VBO&) = delete;

  // Uploads vertexCount interleaved vertices; normalComponents is 0 or 3, texCoordComponents 0 for none.
  void setVertexBuffer(int vertexCount, int positionComponents, int normalComponents, int texCoordComponents,
                       const float* data);
  // Uploads triangleCount x 3 indices.
  void setElementBuffer(int triangleCount, const unsigned int* indices);

  void bindBuffers();
  // Leaves the vertex buffer bound when there is no element buffer.
  void releaseBuffers();
  void draw();
  // The draw call alone, between one bindBuffers() and one releaseBuffers() around many draws.
  void drawInstanced();
  // The triangle indices read as line pairs.
  void drawWireframe();
  bool validateBuffer(unsigned int target, unsigned int buffer);

  int getStride() const { return stride; }
  int getVertexCount() const { return vertexCount; }
  unsigned int getUniqueID() const { return uniqueID; }
  void setUniqueID(unsigned int value) { uniqueID = value; }
  const Vector3f& getBBoxMin() const { return bboxMin; }
  const Vector3f& getBBoxMax() const { return bboxMax; }
  void setBBoxMin(const Vector3f& value) { bboxMin = value; }
  void setBBoxMax(const Vector3f& value) { bboxMax = value; }
  const std::string& getName() const { return name; }
  void setName(const std::string& value) { name = value; }

 private:
  unsigned int vertexBuffer = 0;
  unsigned int elementBuffer = 0;
  int vertexCount = 0;
  int triangleCount = 0;
  int positionComponents = 0;
  int normalComponents = 0;
  int texCoordComponents = 0;
  int stride = 0;
  Vector3f bboxMin;
  Vector3f bboxMax;
  unsigned int uniqueID = 0;
  std::string name;
};
