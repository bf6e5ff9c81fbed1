#include "demosys/resources/DataShaderPool.h"

#include <iostream>

std::string DataShaderPool::toString() const {
  std::cout << "Shaders in pool : " << shaders.size() << std::endl;
  std::string text = "ShaderPool {\n";
  if (shaders.size() == 0) text += "<Empty>\n";
  for (const auto& entry : shaders.map())
    text += "  " + entry.first + " = " + entry.second->toString() + "\n";
  return text + "}\n";
}
