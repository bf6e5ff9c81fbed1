// A mesh polygon: three or four vertex records. The static size says which kind the mesh code
// is building now.
// Depends on: QNVVertex.
#pragma once

class QNVVertex;

class QNVPolygon {
 public:
  static int m_poly_size;

  QNVPolygon() = default;
  QNVPolygon(QNVVertex* a, QNVVertex* b, QNVVertex* c) { setVertexData3(a, b, c); }
  QNVPolygon(QNVVertex* a, QNVVertex* b, QNVVertex* c, QNVVertex* d) { setVertexData4(a, b, c, d); }

  void setVertexData3(QNVVertex* a, QNVVertex* b, QNVVertex* c) { setVertexData4(a, b, c, nullptr); }
  void setVertexData4(QNVVertex* a, QNVVertex* b, QNVVertex* c, QNVVertex* d) {
    vertices[0] = a;
    vertices[1] = b;
    vertices[2] = c;
    vertices[3] = d;
  }
  QNVVertex* getVertex(int i) const { return vertices[i]; }

 private:
  QNVVertex* vertices[4] = {};
};
