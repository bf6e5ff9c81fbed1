// The object pool: loaded scenes (QNVScene) by name. size() counts add calls.
// Depends on: DataPool, PoolMap, QNVScene.
#pragma once

#include <map>
#include <string>

#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"
#include "demosys/scene/QNVScene.h"

class DataObjectPool : public DataPool {
 public:
  ~DataObjectPool() override;

  void addObject(const std::string& name, QNVScene* scene);
  QNVScene* getObject(const std::string& name) const { return scenes.get(name); }
  // The i-th entry in name order; null when out of range.
  QNVScene* getObject(int index) const { return scenes.at(index); }
  bool exists(const std::string& name) const { return scenes.contains(name); }
  const std::map<std::string, QNVScene*>& getObjectMap() const { return scenes.map(); }
  std::string toString() const override;

 private:
  PoolMap<QNVScene> scenes;
};
