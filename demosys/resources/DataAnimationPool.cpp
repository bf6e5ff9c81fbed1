#include "demosys/resources/DataAnimationPool.h"

#include <iostream>

DataAnimationPool::~DataAnimationPool() { std::cout << "[Dispose animationPool]" << std::endl; }

void DataAnimationPool::addAnimation(const std::string& name, Animation* animation) {
  ++numAnimations;
  animations.add(name, animation);
}

std::string DataAnimationPool::toString() const {
  std::string text = "AnimationPool {\n";
  for (const auto& entry : animations.map()) text += "    " + entry.first + " = " + entry.second->toString();
  return text + "}\n";
}
