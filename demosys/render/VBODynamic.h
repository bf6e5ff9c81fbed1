// Geometry the CPU rewrites every frame (cloth flags): one GL buffer per attribute, updated by
// mapping a buffer into memory, writing, and unmapping. Up to 16 generic vertex attribute buffers
// feed shader attributes. A buffer that cannot be mapped is reported and its pointer stays null;
// the set operations never write through a null pointer or outside the arrays.
// Depends on: Vector, QNVMesh (its arrays), Shader (attribute lookup), QNVDemosys (GL error report), GLEW.
#pragma once

#include "demosys/math/Vector.h"

class QNVMesh;
class Shader;

class VBODynamic {
 public:
  static constexpr unsigned int maxAttributes = 16;

  // A mesh's CPU arrays: 3 floats per position and normal, 2 per texture coordinate,
  // verticesPerPolygon indices per polygon.
  struct MeshArrays {
    unsigned int vertexCount;
    unsigned int verticesPerPolygon;
    unsigned int polygonCount;
    float* positions;
    unsigned int* polygons;
    float* normals;
    float* texCoords;
  };

  // Empty buffers for the attributes with a non-zero component count, and a polygon (index)
  // buffer when verticesPerPolygon is not 0.
  VBODynamic(unsigned int vertexCount, unsigned int positionComponents, unsigned int colorComponents,
             unsigned int normalComponents, unsigned int texCoordComponents, unsigned int verticesPerPolygon,
             unsigned int polygonCount);
  // Buffers filled from a mesh's arrays; the pointers refer to these arrays until a buffer is mapped.
  explicit VBODynamic(const MeshArrays& mesh);
  // The same over a QNVMesh's position, polygon, vertex normal and texture coordinate arrays.
  explicit VBODynamic(QNVMesh* mesh);
  ~VBODynamic();
  VBODynamic(const VBODynamic&) = delete;
  VBODynamic& operator=(const VBODynamic&) = delete;

  // Map one attribute's buffer with access GL_READ_ONLY, GL_WRITE_ONLY or GL_READ_WRITE; the
  // mapped address (null on failure) is returned and kept as that attribute's pointer.
  float* openVertexBuffer(unsigned int access);
  float* openVertexNormalBuffer(unsigned int access);
  float* openColorBuffer(unsigned int access);
  float* openUVBuffer(unsigned int access);
  float* openAttribBuffer(unsigned int index, unsigned int access);
  unsigned int* openPolygonBuffer(unsigned int access);
  // Unmap; the pointer becomes null.
  void closeVertexBuffer();
  void closeVertexNormalBuffer();
  void closeColorBuffer();
  void closeUVBuffer();
  void closeAttribBuffer(unsigned int index);
  void closePolygonBuffer();

  float* getVertexPointer() const { return vertexPointer; }
  float* getVertexNormalPointer() const { return normalPointer; }
  float* getColorPointer() const { return colorPointer; }
  float* getUVPointer() const { return texCoordPointer; }
  unsigned int* getPolygonPointer() const { return polygonPointer; }
  float* getAttribPointer(unsigned int index) const {
    return index < maxAttributes ? attribPointers[index] : nullptr;
  }

  // Element i of the mapped arrays; out of range prints an overflow message and writes nothing.
  void setVertex(unsigned int i, const Vector3f& position);
  void setColor(unsigned int i, const Vector3f& color);
  void setColor(unsigned int i, const Vector4f& color);
  void setPolygon(unsigned int i, const Vector3i& indices);
  void setPolygon(unsigned int i, const Vector4i& indices);

  void bindBuffers();
  void unbindBuffers();
  // All polygons when first equals count, otherwise the first count polygons.
  void drawPolygons(unsigned int mode, unsigned int first, unsigned int count);
  // All vertices when first equals count, otherwise count vertices from first.
  void drawArray(unsigned int mode, unsigned int first, unsigned int count);

  // Creates generic attribute buffer index (0..15) from data.
  void initVertexAttributeData(unsigned int index, unsigned int sizeInBytes, const void* data);
  // Feeds attribute buffer index, 3 floats per vertex, to the shader's attribute name.
  void bindVertexAttrib(unsigned int index, Shader* shader, const char* name);
  bool validateBuffer(unsigned int target, unsigned int buffer);

 private:
  static MeshArrays arraysOf(QNVMesh& mesh);
  void initBuffers();
  void initMeshBuffers();
  void createBuffer(unsigned int target, unsigned int& buffer, long bytes, const void* data);
  template <typename T>
  T* map(unsigned int target, unsigned int buffer, unsigned int access, const char* what);
  template <typename T>
  void unmap(unsigned int target, unsigned int buffer, T*& pointer);
  template <int N>
  void setValues(float* array, unsigned int components, unsigned int i, const Vector<float, N>& values,
                 const char* what);
  template <int N>
  void setIndices(unsigned int i, const Vector<int, N>& indices);

  unsigned int vertexBuffer = 0;
  unsigned int colorBuffer = 0;
  unsigned int texCoordBuffer = 0;
  unsigned int normalBuffer = 0;
  unsigned int polygonBuffer = 0;
  float* vertexPointer = nullptr;
  float* normalPointer = nullptr;
  float* colorPointer = nullptr;
  unsigned int* polygonPointer = nullptr;
  float* texCoordPointer = nullptr;
  float* attribPointers[maxAttributes] = {};
  unsigned int attribBuffers[maxAttributes] = {};
  unsigned int vertexCount = 0;
  unsigned int polygonCount = 0;
  unsigned int positionComponents = 0;
  unsigned int colorComponents = 0;
  unsigned int normalComponents = 0;
  unsigned int texCoordComponents = 0;
  unsigned int verticesPerPolygon = 0;
};
