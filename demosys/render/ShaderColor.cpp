// ShaderColor: the shader with a fixed "color" uniform.
#include "demosys/render/ShaderColor.h"

#include "demosys/render/Shader.h"

void ShaderColor::applyColor() { shader->setUniform4f("color", r, g, b, a); }

void ShaderColor::use(QNVMaterial*) {
  shader->use();
  applyColor();
}

void ShaderColor::release() { shader->release(); }
