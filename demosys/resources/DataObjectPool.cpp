#include "demosys/resources/DataObjectPool.h"

#include <iostream>

DataObjectPool::~DataObjectPool() { std::cout << "[Dispose objectPool]" << std::endl; }

void DataObjectPool::addObject(const std::string& name, QNVScene* scene) {
  ++count;
  scenes.add(name, scene);
}

// Scenes are not listed.
std::string DataObjectPool::toString() const { return "DataObjectPool {\n}\n"; }
