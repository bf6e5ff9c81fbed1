#include "resources/generators/scenes/ModelMesh.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float pi = 3.14159265f;

float determinant3(const Matrix& m) {
  return m.at(0, 0) * (m.at(1, 1) * m.at(2, 2) - m.at(1, 2) * m.at(2, 1)) -
         m.at(0, 1) * (m.at(1, 0) * m.at(2, 2) - m.at(1, 2) * m.at(2, 0)) +
         m.at(0, 2) * (m.at(1, 0) * m.at(2, 1) - m.at(1, 1) * m.at(2, 0));
}

}  // namespace

int ModelMesh::addPosition(const Vector3f& p) {
  points.push_back(p);
  return static_cast<int>(points.size()) - 1;
}

void ModelMesh::addTriangle(int a, int b, int c, const Vector2f& ua, const Vector2f& ub, const Vector2f& uc) {
  if (a == b || b == c || a == c) return;
  faces.push_back({a, b, c});
  uvs.insert(uvs.end(), {ua, ub, uc});
}

void ModelMesh::append(const ModelMesh& other, const Matrix& transform) {
  const int base = static_cast<int>(points.size());
  for (const Vector3f& p : other.points) points.push_back(transform.transformPoint(p));
  const bool mirrored = determinant3(transform) < 0.0f;
  for (std::size_t i = 0; i < other.faces.size(); ++i) {
    const Triangle& t = other.faces[i];
    const Vector2f* uv = &other.uvs[i * 3];
    if (mirrored) addTriangle(base + t[0], base + t[2], base + t[1], uv[0], uv[2], uv[1]);
    else addTriangle(base + t[0], base + t[1], base + t[2], uv[0], uv[1], uv[2]);
  }
  normals.clear();
}

void ModelMesh::addMirror(int axis) {
  Matrix flip;
  flip.at(axis, axis) = -1.0f;
  const ModelMesh original = *this;
  append(original, flip);
}

Vector3f ModelMesh::faceNormal(int triangle) const {
  const Triangle& t = faces[triangle];
  return (points[t[1]] - points[t[0]]).cross(points[t[2]] - points[t[0]]).normalised();
}

void ModelMesh::computeNormals(float creaseDegrees) {
  const float limit = std::cos(creaseDegrees * pi / 180.0f) - 1e-4f;
  std::vector<std::vector<int>> around(points.size());
  std::vector<Vector3f> weighted(faces.size()), unit(faces.size());
  for (std::size_t f = 0; f < faces.size(); ++f) {
    const Triangle& t = faces[f];
    weighted[f] = (points[t[1]] - points[t[0]]).cross(points[t[2]] - points[t[0]]);  // length: twice the area
    unit[f] = weighted[f].normalised();
    for (int corner : t) around[corner].push_back(static_cast<int>(f));
  }
  normals.assign(faces.size() * 3, Vector3f());
  for (std::size_t f = 0; f < faces.size(); ++f) {
    for (int k = 0; k < 3; ++k) {
      Vector3f sum;
      for (int g : around[faces[f][k]]) {
        if (unit[g].dot(unit[f]) >= limit) sum += weighted[g];
      }
      normals[f * 3 + k] = sum.normalised();
    }
  }
}

void ModelMesh::projectPlanar(int axisS, int axisT, float scale) {
  Vector3f low, high;
  bounds(low, high);
  for (std::size_t f = 0; f < faces.size(); ++f) {
    for (int k = 0; k < 3; ++k) {
      const Vector3f p = points[faces[f][k]] - low;
      uvs[f * 3 + k] = Vector2f(p[axisS] * scale, p[axisT] * scale);
    }
  }
}

void ModelMesh::projectBox(float scale) {
  Vector3f low, high;
  bounds(low, high);
  for (std::size_t f = 0; f < faces.size(); ++f) {
    const Vector3f n = faceNormal(static_cast<int>(f));
    int axis = 0;
    for (int a = 1; a < 3; ++a) {
      if (std::abs(n[a]) > std::abs(n[axis])) axis = a;
    }
    const int s = axis == 0 ? 1 : 0, t = axis == 2 ? 1 : 2;
    for (int k = 0; k < 3; ++k) {
      const Vector3f p = points[faces[f][k]] - low;
      uvs[f * 3 + k] = Vector2f(p[s] * scale, p[t] * scale);
    }
  }
}

void ModelMesh::projectCylindrical(int axis, const Vector3f& centre, float scale) {
  const int a = (axis + 1) % 3, b = (axis + 2) % 3;
  for (std::size_t f = 0; f < faces.size(); ++f) {
    float s[3];
    for (int k = 0; k < 3; ++k) {
      const Vector3f d = points[faces[f][k]] - centre;
      s[k] = (std::atan2(d[b], d[a]) + pi) / (2.0f * pi);
    }
    // A triangle across the seam takes its corners from the same side, not from both ends.
    for (int k = 0; k < 3; ++k) {
      if (*std::max_element(s, s + 3) - s[k] > 0.5f) s[k] += 1.0f;
    }
    for (int k = 0; k < 3; ++k) {
      uvs[f * 3 + k] = Vector2f(s[k], (points[faces[f][k]][axis] - centre[axis]) * scale);
    }
  }
}

void ModelMesh::bounds(Vector3f& low, Vector3f& high) const {
  low = high = points.empty() ? Vector3f() : points[faces.empty() ? 0 : faces[0][0]];
  for (const Triangle& t : faces) {
    for (int corner : t) {
      for (int a = 0; a < 3; ++a) {
        low[a] = std::min(low[a], points[corner][a]);
        high[a] = std::max(high[a], points[corner][a]);
      }
    }
  }
}
