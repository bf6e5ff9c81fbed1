// QNVObjectGroup: instanced drawing of one mesh's objects.
#include "demosys/scene/QNVObjectGroup.h"

#include "demosys/render/VBO.h"
#include "demosys/scene/QNVObject.h"

void QNVObjectGroup::draw() {
  mesh->bindBuffers();
  for (QNVObject* object : objects) {
    if (object->isVisible()) object->drawInstanced();
  }
  mesh->releaseBuffers();
}
