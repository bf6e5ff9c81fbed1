// The binary pool: raw data for effects (Binary) by name. size() counts add calls.
// Depends on: DataPool, PoolMap, Binary.
#pragma once

#include <string>

#include "demosys/resources/Binary.h"
#include "demosys/resources/DataPool.h"
#include "demosys/resources/PoolMap.h"

class DataBinaryPool : public DataPool {
 public:
  ~DataBinaryPool() override;

  void addData(const std::string& name, Binary* binary);
  Binary* getData(const std::string& name) const { return binaries.get(name); }
  // The i-th entry in name order; null when out of range.
  Binary* getData(int index) const { return binaries.at(index); }
  bool exist(const std::string& name) const { return binaries.contains(name); }
  std::string toString() const override;

 private:
  PoolMap<Binary> binaries;
};
