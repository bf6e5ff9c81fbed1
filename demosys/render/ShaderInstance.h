// Pairs a Shader with per-use state; scene objects carry one and call use(material) before their
// geometry and release() after. This base applies the material's fixed-function colours and then
// the shader. The shader is not owned (the shader pool owns it).
// Depends on: Shader, QNVMaterial.
#pragma once

class QNVMaterial;
class Shader;

class ShaderInstance {
 public:
  ShaderInstance() = default;
  explicit ShaderInstance(Shader* shader) : shader(shader) {}
  virtual ~ShaderInstance() = default;

  virtual void use(QNVMaterial* material);
  virtual void release();

  Shader* getShader() const { return shader; }

 protected:
  Shader* shader = nullptr;
};
