// The framebuffer pool: render targets (FrameBufferObject) by name. size() is the
// number of entries. Targets drawn into during a frame are cleared at its end.
// Depends on: DataPool, PoolMap, FrameBufferObject.
#pragma once

#include <string>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"

class DataFBOPool : public DataPool {
 public:
  void addFBO(const std::string& name, FrameBufferObject* fbo) { fbos.add(name, fbo); }
  // Null, with a line on standard output, for a name the pool does not hold.
  FrameBufferObject* getFBO(const std::string& name) const;
  bool exists(const std::string& name) const { return fbos.contains(name); }
  // Binds, clears and releases every target whose clear flag is set, in name order; a target
  // that failed to build is skipped (binding it binds nothing, so its clear would clear the window).
  void clearFlaggedFBOs();
  const PoolMap<FrameBufferObject>& targets() const { return fbos; }
  int size() const override { return fbos.size(); }
  std::string toString() const override;

 private:
  PoolMap<FrameBufferObject> fbos;
};
