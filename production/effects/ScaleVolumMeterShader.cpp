#include "production/effects/ScaleVolumMeterShader.h"

#include "demosys/render/Shader.h"
#include "demosys/scene/QNVMaterial.h"

// The meter's colour starts from its material's diffuse: without the material the shader would
// read whatever the object drawn before it left, which changes with the draw order.
void ScaleVolumMeterShader::use(QNVMaterial* material) {
  if (material != nullptr) material->use();
  shader->use();
  shader->setUniform1f("scale", scale);
}

void ScaleVolumMeterShader::release() { shader->release(); }
