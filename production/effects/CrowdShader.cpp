#include "production/effects/CrowdShader.h"

#include <GL/glew.h>

#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"

CrowdShader::CrowdShader(Shader* shader, int width, int height, Texture* robot, Texture* intensity)
    : ShaderInstance(shader), width(width), height(height), robot(robot), intensity(intensity) {}

void CrowdShader::use(QNVMaterial*) {
  robot->setInterpolation(GL_NEAREST);
  intensity->setInterpolation(GL_NEAREST);
  shader->use();
  shader->setTextureUnit0("robot", robot);
  shader->setTextureUnit1("intensitymap", intensity);
  shader->setUniform2f("step", static_cast<float>(width), static_cast<float>(height));
}

void CrowdShader::release() { shader->release(); }
