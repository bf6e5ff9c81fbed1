// One entry of a scene's smart draw list: every object that shares one mesh, drawn with the mesh's
// buffers bound once.
// Depends on: QNVObject, VBO.
#pragma once

#include <cstddef>
#include <vector>

class QNVObject;
class VBO;

class QNVObjectGroup {
 public:
  void addObject(QNVObject* object) { objects.push_back(object); }
  QNVObject* getObject(int value) const { return objects[static_cast<std::size_t>(value)]; }
  int countObjects() const { return static_cast<int>(objects.size()); }
  void setVBO(VBO* value) { mesh = value; }
  VBO* getVBO() const { return mesh; }
  // Binds the mesh, draws each visible object at its global matrix, releases the mesh.
  void draw();

 private:
  std::vector<QNVObject*> objects;
  VBO* mesh = nullptr;
};
