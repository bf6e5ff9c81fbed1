#include "production/effects/TarnveldShader.h"

#include "demosys/render/Shader.h"
#include "demosys/render/ShaderTexture.h"

void TarnveldShader::use(QNVMaterial* material) {
  shader->use();
  if (!flag) return;
  ShaderTexture::bindDiffuseTexture(shader, material);
  shader->setTextureUnit1("gradient", gradient);
}

void TarnveldShader::release() { shader->release(); }
