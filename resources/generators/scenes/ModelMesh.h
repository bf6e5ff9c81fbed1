// A triangle mesh being modelled for a scene file, in the scene format's z-up axes: positions
// shared between triangles (so smoothing can find neighbours), and per-corner texture
// coordinates and normals (so a seam or a crease can split them). Parts are transformed,
// mirrored and merged into one mesh; normals and texture coordinates are computed at the end.
// Depends on: Vector, Matrix.
#pragma once

#include <array>
#include <vector>

#include "demosys/math/Matrix.h"
#include "demosys/math/Vector.h"

class ModelMesh {
 public:
  using Triangle = std::array<int, 3>;

  int addPosition(const Vector3f& p);
  // A triangle of three position indices, counter-clockwise seen from outside; triangles that
  // name one position twice (the poles of a revolved profile) are dropped.
  void addTriangle(int a, int b, int c, const Vector2f& ua = {}, const Vector2f& ub = {}, const Vector2f& uc = {});

  const std::vector<Vector3f>& positions() const { return points; }
  const std::vector<Triangle>& triangles() const { return faces; }
  // Three per triangle, in the triangles' corner order.
  const std::vector<Vector2f>& cornerUVs() const { return uvs; }
  const std::vector<Vector3f>& cornerNormals() const { return normals; }
  int triangleCount() const { return static_cast<int>(faces.size()); }

  // The other mesh's triangles added to this one after the transform; a mirroring transform
  // (negative determinant) reverses their winding so they still face outwards.
  void append(const ModelMesh& other, const Matrix& transform = Matrix::identity());
  // This mesh plus its mirror image across the plane through the origin normal to axis (0 x, 1 y, 2 z).
  void addMirror(int axis);

  // Corner normals: a corner takes the area-weighted mean of the normals of the triangles around
  // its position that turn no more than creaseDegrees from its own (0: flat, 180: smooth).
  void computeNormals(float creaseDegrees);
  // Texture coordinates from the position: planar along two axes, box (each triangle projected
  // along its normal's largest axis) or cylindrical about an axis through centre (s the angle
  // 0 to 1, t the height); scale is texture repeats per unit, counted from the
  // mesh's lowest corner so a part of size 1 / scale spans 0 to 1.
  void projectPlanar(int axisS, int axisT, float scale);
  void projectBox(float scale);
  void projectCylindrical(int axis, const Vector3f& centre, float scale);

  Vector3f faceNormal(int triangle) const;  // unit, from the winding
  void bounds(Vector3f& low, Vector3f& high) const;

 private:
  std::vector<Vector3f> points;
  std::vector<Triangle> faces;
  std::vector<Vector2f> uvs;
  std::vector<Vector3f> normals;
};
