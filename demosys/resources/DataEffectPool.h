// An effect pool: the effect templates by class name ("effectTemplatePool") or the
// effect instances by instance name ("effectPool"). size() is the number of entries.
// Depends on: DataPool, PoolMap, Effect.
#pragma once

#include <string>

#include "demosys/effect/Effect.h"
#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"

class DataEffectPool : public DataPool {
 public:
  ~DataEffectPool() override;

  void addEffect(const std::string& name, Effect* effect) { effects.add(name, effect); }
  Effect* getEffect(const std::string& name) const { return effects.get(name); }
  bool exist(const std::string& name) const { return effects.contains(name); }
  // The name of the i-th entry in name order; "" when out of range.
  std::string getKey(int index) const { return effects.keyAt(index); }
  // Removes the entry without deleting the effect: the caller owns it again.
  void removeEffect(const std::string& name) { effects.take(name); }
  int size() const override { return effects.size(); }
  std::string toString() const override;

 private:
  PoolMap<Effect> effects;
};
