// A CPU-side polygon mesh (triangles or quads) with face and vertex normals and tangents, for
// geometry that effects generate and rewrite (cloth flags) and hand to VBODynamic.
// Depends on: Vector, QNVVertex, QNVPolygon.
#pragma once

#include <vector>

#include "demosys/math/Vector.h"
#include "demosys/scene/QNVPolygon.h"
#include "demosys/scene/QNVVertex.h"

class QNVMesh {
 public:
  // Every array allocated and zeroed; the three flags are accepted for callers' sake and change
  // nothing.
  QNVMesh(int vertices, int faces, int verticesPerFace, bool = false, bool = false, bool = false);

  // Out-of-range faces or vertices are ignored rather than written past the arrays.
  void setTriangle(int face, int a, int b, int c);
  void setQuad(int face, int a, int b, int c, int d);
  void setTexCoord(int vertex, const Vector2f& value);

  Vector3f* getVertexPointer() { return positions.data(); }
  Vector3f* getVertexNormalPointer() { return vertexNormals.data(); }
  Vector3f* getFaceNormalPointer() { return faceNormals.data(); }
  Vector2f* getTexCoordPointer() { return texCoords.data(); }
  int* getPolygonPointer() { return indices.data(); }
  const QNVVertex& getVertexRecord(int vertex) const { return vertexRecords[static_cast<size_t>(vertex)]; }
  int getNumVertices() const { return numVertices; }
  int getNumFaces() const { return numFaces; }
  int getVerticesPerFace() const { return verticesPerFace; }

  // Face normals from the faces' first three corners over the given positions.
  void calcFNormals(const Vector3f* positions);
  void calcSegmentFNormals(const Vector3f* positions, int first, int last);
  // Vertex normals as the normalised sums of their faces' normals.
  void calcVNormals(Vector3f* out) const;
  void calcSegmentVNormals(Vector3f* out, int first, int last) const;
  // Per-vertex tangent frames of a triangle mesh from its texture coordinates.
  void calcTangents(const Vector3f* positions, Vector3f* tangents, Vector3f* bitangents) const;

  // Debugging views: lines of the given length along the vectors.
  void drawVNormals(float length) const;
  void drawFNormals(float length) const;
  void drawTangents(const Vector3f* tangents, float length) const;
  void printFaceMap() const;
  // Kept for callers; the mesh needs no connectivity.
  void calcConnectivity() {}
  void calcConnectivityBruteForce() {}

 private:
  void setPolygon(int face, const int* corners, int count);
  Vector3f faceCentre(int face) const;

  std::vector<QNVVertex> vertexRecords;
  std::vector<QNVPolygon> polygons;
  std::vector<Vector3f> positions;
  std::vector<Vector3f> vertexNormals;
  std::vector<Vector3f> faceNormals;
  std::vector<int> indices;
  std::vector<Vector2f> texCoords;
  int numVertices;
  int numFaces;
  int verticesPerFace;
};
