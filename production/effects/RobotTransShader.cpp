#include "production/effects/RobotTransShader.h"

#include "demosys/render/Shader.h"
#include "demosys/render/ShaderTexture.h"

void RobotTransShader::use(QNVMaterial* material) {
  shader->use();
  ShaderTexture::bindDiffuseTexture(shader, material);
  shader->setUniform2fv("translate", translate);
}

void RobotTransShader::release() { shader->release(); }
