// The registry of data pools by name ("objectPool", "texturePool", ...). It owns the
// pools and deletes them, in name order, when it is destroyed.
// Depends on: DataPool, PoolMap.
#pragma once

#include <string>

#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"

class Data {
 public:
  // Takes ownership; a different pool registered under name before is deleted.
  void addData(const std::string& name, DataPool* pool);
  DataPool* getData(const std::string& name) const;
  bool exist(const std::string& name) const;
  // Every pool's report, in pool-name order.
  std::string toString() const;

 private:
  PoolMap<DataPool> pools;
};
