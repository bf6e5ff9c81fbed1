// The animation pool: camera paths (Animation) by alias. size() counts add calls.
// Depends on: DataPool, PoolMap, Animation.
#pragma once

#include <string>

#include "demosys/camera/Animation.h"
#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"

class DataAnimationPool : public DataPool {
 public:
  ~DataAnimationPool() override;

  void addAnimation(const std::string& name, Animation* animation);
  Animation* getAnimation(const std::string& name) const { return animations.get(name); }
  bool exist(const std::string& name) const { return animations.contains(name); }
  int size() const override { return numAnimations; }
  std::string toString() const override;

 private:
  PoolMap<Animation> animations;
  int numAnimations = 0;
};
