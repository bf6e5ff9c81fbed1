#include "demosys/resources/DataEffectPool.h"

#include <iostream>

// The template pool and the instance pool announce themselves alike.
DataEffectPool::~DataEffectPool() { std::cout << "[Dispose effectPool]" << std::endl; }

std::string DataEffectPool::toString() const {
  std::string text = "EffectPool {\n";
  for (const auto& entry : effects.map()) text += "    " + entry.first + " = Effect\n";
  return text + "}\n";
}
