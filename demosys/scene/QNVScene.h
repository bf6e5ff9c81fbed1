// One loaded scene file: its object tree with the objects' meshes, materials, lights,
// cameras and animations, all owned by the scene. Scenes are owned by the object pool.
// The scene loader fills this class in; for now it is the empty owner the pool holds.
// Depends on: nothing yet.
#pragma once

class QNVScene {
 public:
  QNVScene() = default;
  ~QNVScene() = default;
  QNVScene(const QNVScene&) = delete;
  QNVScene& operator=(const QNVScene&) = delete;
};
