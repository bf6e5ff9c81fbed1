// ShaderTextureColor: colour uniform plus the material's diffuse texture.
#include "demosys/render/ShaderTextureColor.h"

#include "demosys/render/Shader.h"
#include "demosys/render/ShaderTexture.h"

void ShaderTextureColor::use(QNVMaterial* material) {
  shader->use();
  applyColor();
  ShaderTexture::bindDiffuseTexture(shader, material);
}

void ShaderTextureColor::release() { shader->release(); }
