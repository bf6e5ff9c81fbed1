#include "resources/generators/scenes/ModelParts.h"

#include "resources/generators/scenes/MeshShapes.h"

Matrix ModelParts::placement(const Pose& pose) {
  return Matrix::translation(pose.position) * SceneBuilder::rotation(pose.rotation);
}

void ModelParts::add(ModelMesh& mesh, const ModelMesh& part, const Pose& pose) { mesh.append(part, placement(pose)); }

void ModelParts::quad(ModelMesh& mesh, const Vector3f& origin, const Vector3f& u, const Vector3f& v, const UVRect& uv) {
  const int a = mesh.addPosition(origin), b = mesh.addPosition(origin + u);
  const int c = mesh.addPosition(origin + u + v), d = mesh.addPosition(origin + v);
  const Vector2f ua(uv.s0, uv.t0), ub(uv.s1, uv.t0), uc(uv.s1, uv.t1), ud(uv.s0, uv.t1);
  mesh.addTriangle(a, b, c, ua, ub, uc);
  mesh.addTriangle(a, c, d, ua, uc, ud);
}

ModelMesh ModelParts::rod(float radius, float length, int segments, int axis) {
  ModelMesh rod;
  const Vector3f turn = axis == 0 ? Vector3f(0, 90, 0) : Vector3f(-90, 0, 0);
  const Vector3f start = axis == 0 ? Vector3f(-0.5f * length, 0, 0) : Vector3f(0, -0.5f * length, 0);
  add(rod, MeshShapes::cylinder(radius, length, segments), {start, turn});
  return rod;
}

int ModelParts::finish(SceneBuilder& builder, const std::string& name, ModelMesh mesh, float creaseDegrees) {
  mesh.computeNormals(creaseDegrees);
  return builder.mesh(name, mesh);
}
