// SceneMesh helpers.
#include "demosys/scene/SceneDescription.h"

#include <algorithm>

int SceneMesh::stride() const {
  return (positions.empty() ? 0 : 1) + (normals.empty() ? 0 : 1) + (texCoords.empty() ? 0 : 1);
}

void SceneMesh::addTuple(int position, int normal, int texCoord) {
  struct Slot {
    int offset;
    int index;
    bool present;
  };
  Slot slots[3] = {{positionOffset, position, !positions.empty()},
                   {normalOffset, normal, !normals.empty()},
                   {texCoordOffset, texCoord, !texCoords.empty()}};
  std::sort(slots, slots + 3, [](const Slot& a, const Slot& b) { return a.offset < b.offset; });
  for (const Slot& slot : slots) {
    if (slot.present) indices.push_back(slot.index);
  }
}

void SceneMesh::computeBBox() {
  if (positions.empty()) {
    bboxMin = bboxMax = Vector3f();
    return;
  }
  bboxMin = bboxMax = positions.front();
  for (const Vector3f& p : positions) {
    for (int i = 0; i < 3; ++i) {
      bboxMin[i] = std::min(bboxMin[i], p[i]);
      bboxMax[i] = std::max(bboxMax[i], p[i]);
    }
  }
}
