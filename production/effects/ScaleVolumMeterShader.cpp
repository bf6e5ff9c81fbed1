#include "production/effects/ScaleVolumMeterShader.h"

#include "demosys/render/Shader.h"

// The base applies the material first: the meter's colour starts from its diffuse, not from
// whatever the object drawn before it left.
void ScaleVolumMeterShader::use(QNVMaterial* material) {
  ShaderInstance::use(material);
  shader->setUniform1f("scale", scale);
}

void ScaleVolumMeterShader::release() { shader->release(); }
