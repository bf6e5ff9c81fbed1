#include "resources/generators/scenes/MeshShapes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

constexpr float pi = 3.14159265f;

// Faces of a convex solid around the origin: each polygon is turned to face away from it.
class ConvexBuilder {
 public:
  explicit ConvexBuilder(ModelMesh& target) : mesh(target) {}
  int point(const Vector3f& p) {
    const auto key = std::make_tuple(p[0], p[1], p[2]);
    const auto found = known.find(key);
    if (found != known.end()) return found->second;
    return known[key] = mesh.addPosition(p);
  }
  void polygon(std::vector<int> corners) {
    const auto& p = mesh.positions();
    Vector3f centre, normal;
    for (int c : corners) centre += p[c] * (1.0f / corners.size());
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
      normal += (p[corners[i]] - p[corners[0]]).cross(p[corners[i + 1]] - p[corners[0]]);
    }
    if (normal.dot(centre) < 0.0f) std::reverse(corners.begin(), corners.end());
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) mesh.addTriangle(corners[0], corners[i], corners[i + 1]);
  }

 private:
  ModelMesh& mesh;
  std::map<std::tuple<float, float, float>, int> known;
};

// Grid of rows (profile or path points) by columns (around), sharing positions around each row
// and a single position where a row has collapsed to a point.
void stitchRows(ModelMesh& mesh, const std::vector<std::vector<int>>& rows, const std::vector<float>& t) {
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    const int n = static_cast<int>(std::max(rows[i].size(), rows[i + 1].size()));
    auto at = [&](std::size_t r, int j) { return rows[r][rows[r].size() == 1 ? 0 : j % n]; };
    for (int j = 0; j < n; ++j) {
      const float s0 = static_cast<float>(j) / n, s1 = static_cast<float>(j + 1) / n;
      const Vector2f a(s0, t[i]), b(s1, t[i]), c(s1, t[i + 1]), d(s0, t[i + 1]);
      mesh.addTriangle(at(i, j), at(i, j + 1), at(i + 1, j + 1), a, b, c);
      mesh.addTriangle(at(i, j), at(i + 1, j + 1), at(i + 1, j), a, c, d);
    }
  }
}

// Running length along a polyline, 0 to 1.
std::vector<float> lengthFractions(const std::vector<float>& steps) {
  std::vector<float> t(steps.size() + 1, 0.0f);
  for (std::size_t i = 0; i < steps.size(); ++i) t[i + 1] = t[i] + steps[i];
  for (float& v : t) v = t.back() > 0.0f ? v / t.back() : 0.0f;
  return t;
}

bool insideTriangle(const Vector2f& p, const Vector2f& a, const Vector2f& b, const Vector2f& c) {
  auto side = [](const Vector2f& o, const Vector2f& u, const Vector2f& v) {
    return (u[0] - o[0]) * (v[1] - o[1]) - (u[1] - o[1]) * (v[0] - o[0]);
  };
  return side(a, b, p) > 0.0f && side(b, c, p) > 0.0f && side(c, a, p) > 0.0f;
}

// Ear clipping of a counter-clockwise simple polygon: index triples into the outline.
std::vector<std::array<int, 3>> triangulate(const std::vector<Vector2f>& outline) {
  std::vector<int> left(outline.size());
  for (std::size_t i = 0; i < left.size(); ++i) left[i] = static_cast<int>(i);
  std::vector<std::array<int, 3>> result;
  while (left.size() > 3) {
    bool clipped = false;
    for (std::size_t i = 0; i < left.size() && !clipped; ++i) {
      const int a = left[(i + left.size() - 1) % left.size()], b = left[i], c = left[(i + 1) % left.size()];
      const Vector2f &pa = outline[a], &pb = outline[b], &pc = outline[c];
      if ((pb[0] - pa[0]) * (pc[1] - pa[1]) - (pb[1] - pa[1]) * (pc[0] - pa[0]) <= 0.0f) continue;  // reflex
      bool empty = true;
      for (int other : left) {
        if (other != a && other != b && other != c && insideTriangle(outline[other], pa, pb, pc)) empty = false;
      }
      if (!empty) continue;
      result.push_back({a, b, c});
      left.erase(left.begin() + static_cast<long>(i));
      clipped = true;
    }
    if (!clipped) break;  // not simple: what is left stays open rather than looping forever
  }
  if (left.size() == 3) result.push_back({left[0], left[1], left[2]});
  return result;
}

// The outline moved inwards by distance, each corner along its bisector.
std::vector<Vector2f> inset(const std::vector<Vector2f>& outline, float distance) {
  std::vector<Vector2f> result;
  const std::size_t n = outline.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vector2f& prev = outline[(i + n - 1) % n];
    const Vector2f& here = outline[i];
    const Vector2f& next = outline[(i + 1) % n];
    auto inward = [](const Vector2f& from, const Vector2f& to) {
      return Vector2f(-(to[1] - from[1]), to[0] - from[0]).normalised();
    };
    const Vector2f bisector = (inward(prev, here) + inward(here, next)).normalised();
    const float cosine = std::max(0.3f, bisector.dot(inward(prev, here)));
    result.push_back(here + bisector * (distance / cosine));
  }
  return result;
}

}  // namespace

ModelMesh MeshShapes::box(const Vector3f& size, float bevel) {
  ModelMesh mesh;
  ConvexBuilder solid(mesh);
  const Vector3f half = size * 0.5f;
  // Each corner of the box splits into three points, one on each face meeting there.
  auto corner = [&](int sx, int sy, int sz, int face) {
    const int signs[3] = {sx, sy, sz};
    Vector3f p;
    for (int a = 0; a < 3; ++a) p[a] = signs[a] * (a == face ? half[a] : half[a] - bevel);
    return solid.point(p);
  };
  for (int face = 0; face < 3; ++face) {
    const int u = (face + 1) % 3, v = (face + 2) % 3;
    for (int s : {-1, 1}) {
      auto at = [&](int su, int sv, int which) {
        int signs[3];
        signs[face] = s, signs[u] = su, signs[v] = sv;
        return corner(signs[0], signs[1], signs[2], which);
      };
      solid.polygon({at(-1, -1, face), at(1, -1, face), at(1, 1, face), at(-1, 1, face)});
      // Each bevel strip once: the one towards the next axis; each corner once, from the x faces.
      for (int su : {-1, 1}) solid.polygon({at(su, -1, face), at(su, 1, face), at(su, 1, u), at(su, -1, u)});
      for (int su : {-1, 1}) {
        for (int sv : {-1, 1}) {
          if (face == 0) solid.polygon({at(su, sv, face), at(su, sv, u), at(su, sv, v)});
        }
      }
    }
  }
  mesh.projectBox(1.0f / std::max({size[0], size[1], size[2]}));
  return mesh;
}

ModelMesh MeshShapes::revolve(const std::vector<Vector2f>& profile, int segments) {
  ModelMesh mesh;
  std::vector<std::vector<int>> rows;
  std::vector<float> steps;
  for (std::size_t i = 0; i < profile.size(); ++i) {
    std::vector<int> row;
    const int count = profile[i][0] == 0.0f ? 1 : segments;
    for (int j = 0; j < count; ++j) {
      const float angle = 2.0f * pi * j / segments;
      row.push_back(mesh.addPosition(Vector3f(profile[i][0] * std::cos(angle), profile[i][0] * std::sin(angle), profile[i][1])));
    }
    rows.push_back(row);
    if (i > 0) steps.push_back((profile[i] - profile[i - 1]).length());
  }
  stitchRows(mesh, rows, lengthFractions(steps));
  return mesh;
}

ModelMesh MeshShapes::cylinder(float radius, float height, int segments) {
  return revolve({{0.0f, 0.0f}, {radius, 0.0f}, {radius, height}, {0.0f, height}}, segments);
}

ModelMesh MeshShapes::cone(float radius, float height, int segments) {
  return revolve({{0.0f, 0.0f}, {radius, 0.0f}, {0.0f, height}}, segments);
}

ModelMesh MeshShapes::sphere(float radius, int segments, int rings) {
  std::vector<Vector2f> profile;
  for (int i = 0; i <= rings; ++i) {
    const float a = pi * i / rings;
    profile.push_back(Vector2f(i == 0 || i == rings ? 0.0f : radius * std::sin(a), -radius * std::cos(a)));
  }
  return revolve(profile, segments);
}

ModelMesh MeshShapes::capsule(float radius, float height, int segments) {
  std::vector<Vector2f> profile;
  const int quarter = std::max(2, segments / 4);
  const float straight = std::max(0.0f, height * 0.5f - radius);
  for (int half = 0; half < 2; ++half) {
    for (int i = 0; i <= quarter; ++i) {
      const float a = 0.5f * pi * (half == 0 ? i : quarter - i) / quarter;  // 0 at the pole
      const float r = (half == 0 ? i == 0 : i == quarter) ? 0.0f : radius * std::sin(a);
      const float z = (half == 0 ? -1.0f : 1.0f) * (straight + radius * std::cos(a));
      profile.push_back(Vector2f(r, z));
    }
  }
  return revolve(profile, segments);
}

ModelMesh MeshShapes::torus(float radius, float tubeRadius, int segments, int sides) {
  // The tube's cross-section, starting at its inner point and going down and out, so the profile
  // rises on the outside; a closed loop shares its first row with its last.
  ModelMesh mesh;
  std::vector<std::vector<int>> rows;
  std::vector<float> t;
  for (int i = 0; i <= sides; ++i) {
    const float a = pi + 2.0f * pi * i / sides;
    if (i < sides) {
      std::vector<int> row;
      for (int j = 0; j < segments; ++j) {
        const float around = 2.0f * pi * j / segments, r = radius + tubeRadius * std::cos(a);
        row.push_back(mesh.addPosition(Vector3f(r * std::cos(around), r * std::sin(around), tubeRadius * std::sin(a))));
      }
      rows.push_back(row);
    } else {
      rows.push_back(rows.front());
    }
    t.push_back(static_cast<float>(i) / sides);
  }
  stitchRows(mesh, rows, t);
  return mesh;
}

ModelMesh MeshShapes::extrude(const std::vector<Vector2f>& outline, float depth, float bevel) {
  ModelMesh mesh;
  std::vector<std::vector<Vector2f>> rings;
  std::vector<float> heights;
  if (bevel > 0.0f) {
    const std::vector<Vector2f> inner = inset(outline, bevel);
    rings = {inner, outline, outline, inner};
    heights = {0.0f, bevel, depth - bevel, depth};
  } else {
    rings = {outline, outline};
    heights = {0.0f, depth};
  }
  std::vector<std::vector<int>> rows;
  for (std::size_t r = 0; r < rings.size(); ++r) {
    std::vector<int> row;
    for (const Vector2f& p : rings[r]) row.push_back(mesh.addPosition(Vector3f(p[0], p[1], heights[r])));
    rows.push_back(row);
  }
  std::vector<float> steps;
  for (std::size_t r = 1; r < heights.size(); ++r) steps.push_back(heights[r] - heights[r - 1] + bevel * 0.414f);
  stitchRows(mesh, rows, lengthFractions(steps));
  const std::vector<std::array<int, 3>> cap = triangulate(rings.front());
  auto uv = [&](const Vector2f& p) { return Vector2f(p[0], p[1]); };
  for (const auto& t : cap) {
    const std::vector<int>& bottom = rows.front();
    const std::vector<int>& top = rows.back();
    const std::vector<Vector2f>& ring = rings.front();
    mesh.addTriangle(bottom[t[0]], bottom[t[2]], bottom[t[1]], uv(ring[t[0]]), uv(ring[t[2]]), uv(ring[t[1]]));
    mesh.addTriangle(top[t[0]], top[t[1]], top[t[2]], uv(ring[t[0]]), uv(ring[t[1]]), uv(ring[t[2]]));
  }
  return mesh;
}

ModelMesh MeshShapes::tube(const std::vector<Vector3f>& path, float radius, int sides) {
  ModelMesh mesh;
  std::vector<std::vector<int>> rows;
  std::vector<float> steps;
  // A frame carried along the path without twisting: the normal is re-orthogonalised to each
  // new tangent.
  Vector3f tangent = (path[1] - path[0]).normalised();
  Vector3f normal = std::abs(tangent[2]) < 0.9f ? Vector3f(0, 0, 1).cross(tangent).normalised()
                                                : Vector3f(1, 0, 0).cross(tangent).normalised();
  for (std::size_t i = 0; i < path.size(); ++i) {
    const Vector3f next = i + 1 < path.size() ? path[i + 1] - path[i] : path[i] - path[i - 1];
    const Vector3f previous = i > 0 ? path[i] - path[i - 1] : next;
    tangent = (next.normalised() + previous.normalised()).normalised();
    normal = (normal - tangent * normal.dot(tangent)).normalised();
    const Vector3f binormal = tangent.cross(normal);
    std::vector<int> row;
    for (int j = 0; j < sides; ++j) {
      const float a = 2.0f * pi * j / sides;
      row.push_back(mesh.addPosition(path[i] + (normal * std::cos(a) + binormal * std::sin(a)) * radius));
    }
    rows.push_back(row);
    if (i > 0) steps.push_back((path[i] - path[i - 1]).length());
  }
  rows.insert(rows.begin(), std::vector<int>{mesh.addPosition(path.front())});
  rows.push_back(std::vector<int>{mesh.addPosition(path.back())});
  steps.insert(steps.begin(), radius);
  steps.push_back(radius);
  stitchRows(mesh, rows, lengthFractions(steps));
  return mesh;
}
