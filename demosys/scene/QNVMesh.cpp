// QNVMesh: polygon records, normals and tangents.
#include "demosys/scene/QNVMesh.h"

#include <GL/gl.h>

#include <algorithm>
#include <iostream>

int QNVPolygon::m_poly_size = 3;

static int atLeastZero(int value) { return std::max(value, 0); }

QNVMesh::QNVMesh(int vertices, int faces, int perFace, bool, bool, bool)
    : vertexRecords(static_cast<size_t>(atLeastZero(vertices))),
      polygons(static_cast<size_t>(atLeastZero(faces))),
      positions(static_cast<size_t>(atLeastZero(vertices))),
      vertexNormals(static_cast<size_t>(atLeastZero(vertices))),
      faceNormals(static_cast<size_t>(atLeastZero(faces))),
      indices(static_cast<size_t>(atLeastZero(faces)) * static_cast<size_t>(std::clamp(perFace, 0, 4))),
      texCoords(static_cast<size_t>(atLeastZero(vertices))),
      numVertices(atLeastZero(vertices)),
      numFaces(atLeastZero(faces)),
      verticesPerFace(std::clamp(perFace, 0, 4)) {}

void QNVMesh::setPolygon(int face, const int* corners, int count) {
  QNVPolygon::m_poly_size = count;
  if (face < 0 || face >= numFaces || count > verticesPerFace) return;
  for (int i = 0; i < count; ++i) {
    if (corners[i] < 0 || corners[i] >= numVertices) return;
  }
  QNVVertex* v[4] = {};
  for (int i = 0; i < count; ++i) {
    v[i] = &vertexRecords[static_cast<size_t>(corners[i])];
    v[i]->addPolygonIndex(face);
    indices[static_cast<size_t>(face * verticesPerFace + i)] = corners[i];
  }
  polygons[static_cast<size_t>(face)].setVertexData4(v[0], v[1], v[2], v[3]);
}

void QNVMesh::setTriangle(int face, int a, int b, int c) {
  const int corners[3] = {a, b, c};
  setPolygon(face, corners, 3);
}

void QNVMesh::setQuad(int face, int a, int b, int c, int d) {
  const int corners[4] = {a, b, c, d};
  setPolygon(face, corners, 4);
}

void QNVMesh::setTexCoord(int vertex, const Vector2f& value) {
  if (vertex >= 0 && vertex < numVertices) texCoords[static_cast<size_t>(vertex)] = value;
}

void QNVMesh::calcFNormals(const Vector3f* p) { calcSegmentFNormals(p, 0, numFaces); }

void QNVMesh::calcSegmentFNormals(const Vector3f* p, int first, int last) {
  if (verticesPerFace < 3) return;
  last = std::min(last, numFaces);
  for (int face = std::max(first, 0); face < last; ++face) {
    const int* corner = &indices[static_cast<size_t>(face * verticesPerFace)];
    const Vector3f& p0 = p[corner[0]];
    const Vector3f& p1 = p[corner[1]];
    const Vector3f& p2 = p[corner[2]];
    faceNormals[static_cast<size_t>(face)] = (p1 - p2).cross(p1 - p0).normalised();
  }
}

void QNVMesh::calcVNormals(Vector3f* out) const { calcSegmentVNormals(out, 0, numVertices); }

void QNVMesh::calcSegmentVNormals(Vector3f* out, int first, int last) const {
  last = std::min(last, numVertices);
  for (int vertex = std::max(first, 0); vertex < last; ++vertex) {
    const QNVVertex& record = vertexRecords[static_cast<size_t>(vertex)];
    Vector3f sum;
    for (int i = 0; i < record.getPolyListSize(); ++i) {
      sum += faceNormals[static_cast<size_t>(record.getPolyIndex(i))];
    }
    out[vertex] = sum.normalised();
  }
}

// Degenerate texture coordinates divide by zero; the vectors of such faces are not finite.
void QNVMesh::calcTangents(const Vector3f* p, Vector3f* tangents, Vector3f* bitangents) const {
  std::fill(tangents, tangents + numVertices, Vector3f());
  std::fill(bitangents, bitangents + numVertices, Vector3f());
  const size_t count = static_cast<size_t>(numFaces) * static_cast<size_t>(verticesPerFace) / 3 * 3;
  for (size_t k = 0; k < count; k += 3) {
    const int i0 = indices[k], i1 = indices[k + 1], i2 = indices[k + 2];
    const Vector3f e1 = p[i1] - p[i0];
    const Vector3f e2 = p[i2] - p[i0];
    const Vector2f d1 = texCoords[static_cast<size_t>(i1)] - texCoords[static_cast<size_t>(i0)];
    const Vector2f d2 = texCoords[static_cast<size_t>(i2)] - texCoords[static_cast<size_t>(i0)];
    const float r = 1.0f / (d1[0] * d2[1] - d2[0] * d1[1]);
    const Vector3f t = (e1 * d2[1] - e2 * d1[1]) * r;
    const Vector3f b = (e2 * d1[0] - e1 * d2[0]) * r;
    for (int i : {i0, i1, i2}) {
      tangents[i] += t;
      bitangents[i] += b;
    }
  }
  for (int i = 0; i < numVertices; ++i) {
    tangents[i].normalise();
    bitangents[i].normalise();
  }
}

Vector3f QNVMesh::faceCentre(int face) const {
  Vector3f sum;
  for (int i = 0; i < verticesPerFace; ++i) {
    sum += positions[static_cast<size_t>(indices[static_cast<size_t>(face * verticesPerFace + i)])];
  }
  return verticesPerFace > 0 ? sum * (1.0f / static_cast<float>(verticesPerFace)) : sum;
}

static void drawLine(const Vector3f& from, const Vector3f& direction, float length) {
  glVertex3fv(from.data());
  const Vector3f to = from + direction * length;
  glVertex3fv(to.data());
}

void QNVMesh::drawVNormals(float length) const {
  glBegin(GL_LINES);
  for (int i = 0; i < numVertices; ++i) {
    drawLine(positions[static_cast<size_t>(i)], vertexNormals[static_cast<size_t>(i)], length);
  }
  glEnd();
}

void QNVMesh::drawFNormals(float length) const {
  glBegin(GL_LINES);
  for (int face = 0; face < numFaces; ++face) {
    drawLine(faceCentre(face), faceNormals[static_cast<size_t>(face)], length);
  }
  glEnd();
}

void QNVMesh::drawTangents(const Vector3f* tangents, float length) const {
  glBegin(GL_LINES);
  for (int i = 0; i < numVertices; ++i) drawLine(positions[static_cast<size_t>(i)], tangents[i], length);
  glEnd();
}

void QNVMesh::printFaceMap() const {
  for (int vertex = 0; vertex < numVertices; ++vertex) {
    const QNVVertex& record = vertexRecords[static_cast<size_t>(vertex)];
    std::cout << "Vertex " << vertex << " :";
    for (int i = 0; i < record.getPolyListSize(); ++i) std::cout << " " << record.getPolyIndex(i);
    std::cout << std::endl;
  }
}
