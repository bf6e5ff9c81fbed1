// The cloth both flag classes share: a plane of columns x rows vertices and one quad per cell in a
// QNVMesh (the rest positions, never changed) and a VBODynamic that holds the waved positions.
// Waving displaces every vertex by three noise values divided by a falloff that rises along half a
// cosine from 1 at the free first column to 10 at the pole's last column, so the pole edge barely
// moves. The waved positions are written straight into the mapped buffer; nothing is allocated
// per frame.
// Depends on: QNVMesh, VBODynamic, CosInterpolate, Vector, GLEW.
#pragma once

#include <memory>
#include <vector>

#include "demosys/math/Vector.h"
#include "qnvutils/CosInterpolate.h"

class QNVMesh;
class VBODynamic;

class FlagPlane {
 public:
  static constexpr float scaleX = 6.0f;
  static constexpr float scaleY = 8.0f;

  // Which part of the texture the plane shows: vertex (i, j) gets
  // (i * sScale / columns, tOrigin + j * tScale / rows).
  struct TextureArea {
    float sScale;
    float tOrigin;
    float tScale;
  };

  FlagPlane(float width, float height, int columns, int rows, const TextureArea& area);
  ~FlagPlane();
  FlagPlane(const FlagPlane&) = delete;
  FlagPlane& operator=(const FlagPlane&) = delete;

  // The cloth's quads from the vertex buffer, in the current GL state.
  void drawCloth();

  QNVMesh& getMesh() { return *mesh; }
  VBODynamic& getVertexBuffer() { return *vertexBuffer; }
  float getWidth() const { return width; }
  float getHeight() const { return height; }
  int getColumns() const { return columns; }
  int getRows() const { return rows; }
  int getVertexCount() const { return columns * rows; }
  int getQuadCount() const { return (columns - 1) * (rows - 1); }
  // The falloff divisor of a column: 1 at the first, nearly 10 at the last.
  double getDivisor(int column) const { return divisors[static_cast<size_t>(column)]; }
  // Where the cords tie to the cloth, as the last wave left them (rest positions before one): the
  // last vertex and vertex columns - 2.
  const Vector3f& getTip() const { return tip; }
  const Vector3f& getCordVertex() const { return cordVertex; }

 protected:
  // Three noise values per vertex, already as displacements before the falloff.
  struct Noise {
    float x, y, z;
  };

  // Writes every vertex displaced by noiseAt(i, j, k) (column, row, vertex index) into the
  // mapped buffer, then recomputes the mesh's face normals from the buffer's new positions.
  template <class NoiseAt>
  void writeWave(const NoiseAt& noiseAt);
 private:
  void generatePlane(const TextureArea& area);
  void stepFalloff();
  // The vertex buffer's positions mapped for writing (null when it cannot be mapped), and unmapped.
  float* openPositions();
  void closePositions();
  Vector3f displaced(int k, const Noise& noise, double divisor) const;
  void updateNormals();

  float width;
  float height;
  int columns;
  int rows;
  std::unique_ptr<QNVMesh> mesh;
  std::unique_ptr<VBODynamic> vertexBuffer;
  CosInterpolate falloff;
  // The falloff record's steps along one row; every row steps it alike, so they are taken once.
  std::vector<double> divisors;
  Vector3f tip;
  Vector3f cordVertex;
};

template <class NoiseAt>
void FlagPlane::writeWave(const NoiseAt& noiseAt) {
  float* out = openPositions();
  if (out == nullptr) return;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      const int k = j * columns + i;
      const Vector3f p = displaced(k, noiseAt(i, j, k), divisors[static_cast<size_t>(i)]);
      out[3 * k] = p.x();
      out[3 * k + 1] = p.y();
      out[3 * k + 2] = p.z();
    }
  }
  closePositions();
  updateNormals();
}
