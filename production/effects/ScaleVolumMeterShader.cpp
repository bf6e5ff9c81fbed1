#include "production/effects/ScaleVolumMeterShader.h"

#include "demosys/render/Shader.h"

void ScaleVolumMeterShader::use(QNVMaterial*) {
  shader->use();
  shader->setUniform1f("scale", scale);
}

void ScaleVolumMeterShader::release() { shader->release(); }
