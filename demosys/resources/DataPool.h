// Base of the named data pools: a counter and the two reports every pool gives.
// Pools are destroyed through this base by the registry (Data).
// Depends on: QNVUtils (number text).
#pragma once

#include <string>

class DataPool {
 public:
  virtual ~DataPool() = default;
  virtual int size() const;
  virtual std::string toString() const;

 protected:
  int count = 0;
};
