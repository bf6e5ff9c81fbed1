#include "demosys/resources/Data.h"

void Data::addData(const std::string& name, DataPool* pool) { pools.add(name, pool); }

DataPool* Data::getData(const std::string& name) const { return pools.get(name); }

bool Data::exist(const std::string& name) const { return pools.contains(name); }

std::string Data::toString() const {
  std::string text;
  for (const auto& entry : pools.map()) {
    if (entry.second) text += entry.second->toString();
  }
  return text;
}
