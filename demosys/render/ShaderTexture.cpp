// ShaderTexture: the shader with the material's diffuse texture.
#include "demosys/render/ShaderTexture.h"

#include "demosys/render/Shader.h"
#include "demosys/scene/QNVMaterial.h"

void ShaderTexture::bindDiffuseTexture(Shader* shader, const QNVMaterial* material) {
  if (material != nullptr && material->getDiffuseTexture() != nullptr) {
    shader->setTextureUnit0("texture", material->getDiffuseTexture());
  }
}

void ShaderTexture::use(QNVMaterial* material) {
  shader->use();
  bindDiffuseTexture(shader, material);
}

void ShaderTexture::release() { shader->release(); }
