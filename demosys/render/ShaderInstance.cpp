// ShaderInstance: material colours, then the shader.
#include "demosys/render/ShaderInstance.h"

#include "demosys/render/Shader.h"
#include "demosys/scene/QNVMaterial.h"

void ShaderInstance::use(QNVMaterial* material) {
  material->use();
  shader->use();
}

void ShaderInstance::release() { shader->release(); }
