// Small modelling steps the production's models share: a part placed by a pose, a textured
// quad with its own texture rectangle, a finished mesh (normals computed) and its registration
// with a scene builder, all in the modelling axes (z up).
// Depends on: ModelMesh, MeshShapes, SceneBuilder.
#pragma once

#include <string>

#include "resources/generators/scenes/SceneBuilder.h"

struct UVRect {
  float s0 = 0.0f, t0 = 0.0f, s1 = 1.0f, t1 = 1.0f;
};

class ModelParts {
 public:
  // The pose as a modelling-axes matrix, for merging a part into a larger mesh.
  static Matrix placement(const Pose& pose);
  // Adds part to mesh at pose.
  static void add(ModelMesh& mesh, const ModelMesh& part, const Pose& pose);
  // The quad origin, origin + u, origin + u + v, origin + v, facing along u x v, with the texture
  // rectangle's s along u and t along v.
  static void quad(ModelMesh& mesh, const Vector3f& origin, const Vector3f& u, const Vector3f& v, const UVRect& uv = {});
  // A mesh standing on z = 0: a cylinder about z turned to lie along x (axis 0) or y (axis 1), centred.
  static ModelMesh rod(float radius, float length, int segments, int axis);
  // Normals with the crease angle, then registered under name.
  static int finish(SceneBuilder& builder, const std::string& name, ModelMesh mesh, float creaseDegrees);
};
