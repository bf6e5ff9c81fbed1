#include "demosys/resources/DataBinaryPool.h"

#include <iostream>

#include "qnvutils/QNVUtils.h"

DataBinaryPool::~DataBinaryPool() { std::cout << "[Dispose binaryPool]" << std::endl; }

void DataBinaryPool::addData(const std::string& name, Binary* binary) {
  ++count;
  binaries.add(name, binary);
}

std::string DataBinaryPool::toString() const {
  std::string text = "DataBinaryPool {\n    num3dObjects = " + QNVUtils::int2string(count) + "\n";
  for (const auto& entry : binaries.map()) text += "    " + entry.first + " = " + entry.second->toString();
  return text + "}\n";
}
