// The modelling toolkit's shapes, each a closed mesh facing outwards with texture coordinates,
// built in the scene format's z-up axes around the origin: boxes with an optional bevel,
// surfaces of revolution about z from a profile (and the cylinder, cone, sphere, capsule and
// torus made that way), outlines extruded along z with an optional bevel, and tubes along a path.
// Normals are left to ModelMesh::computeNormals, so each model picks its crease angle.
// Depends on: ModelMesh.
#pragma once

#include <vector>

#include "resources/generators/scenes/ModelMesh.h"

class MeshShapes {
 public:
  // Centred on the origin; bevel cuts every edge at 45 degrees, that far in from each face.
  static ModelMesh box(const Vector3f& size, float bevel = 0.0f);
  // Profile points (radius, z) from the bottom up, revolved about z in segments steps; a point
  // of radius 0 is a pole. s runs around, t along the profile's length.
  static ModelMesh revolve(const std::vector<Vector2f>& profile, int segments);
  // Standing on z = 0.
  static ModelMesh cylinder(float radius, float height, int segments);
  static ModelMesh cone(float radius, float height, int segments);
  // Centred on the origin.
  static ModelMesh sphere(float radius, int segments, int rings);
  // Along z, centred; height includes the two caps.
  static ModelMesh capsule(float radius, float height, int segments);
  static ModelMesh torus(float radius, float tubeRadius, int segments, int sides);
  // A simple polygon in the xy plane, counter-clockwise, from z = 0 to z = depth; bevel insets
  // the outline at both caps. Caps are projected planar, sides wrap s along the outline.
  static ModelMesh extrude(const std::vector<Vector2f>& outline, float depth, float bevel = 0.0f);
  // A round tube through the path's points with closed ends.
  static ModelMesh tube(const std::vector<Vector3f>& path, float radius, int sides);
};
