#include "demosys/resources/DataFBOPool.h"

#include <iostream>

FrameBufferObject* DataFBOPool::getFBO(const std::string& name) const {
  FrameBufferObject* fbo = fbos.get(name);
  if (!fbo)
    std::cout << "FrameBufferObject::getFBO(" << name << ") cannot find the requested VBO" << std::endl;
  return fbo;
}

void DataFBOPool::clearFlaggedFBOs() {
  for (const auto& entry : fbos.map()) {
    FrameBufferObject* fbo = entry.second;
    if (!fbo || !fbo->isValid() || !fbo->hasClearFlag()) continue;
    fbo->bind();
    fbo->clear();
    fbo->release();
  }
}

std::string DataFBOPool::toString() const {
  std::string text = "FBOPool {\n";
  for (const auto& entry : fbos.map()) text += "  " + entry.first + " = " + entry.second->toString() + "\n";
  return text + "}\n";
}
