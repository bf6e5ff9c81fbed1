// Shader: compile/link of a GLSL program pair and the uniform setters.
#include "demosys/render/Shader.h"

#include <GL/glew.h>

#include <iostream>
#include <utility>
#include <vector>

#include "demosys/render/Texture.h"
#include "qnvutils/QNVUtils.h"

// A shader that never compiled holds no GL object and can be destroyed without a context.
Shader::~Shader() {
  if (program != 0) {
    glDetachShader(program, vertexShader);
    glDetachShader(program, fragmentShader);
  }
  if (vertexShader != 0) glDeleteShader(vertexShader);
  if (fragmentShader != 0) glDeleteShader(fragmentShader);
  if (program != 0) glDeleteProgram(program);
}

void Shader::fail(const std::string& log) {
  errorMessage += log;
  valid = false;
}

static std::string shaderLog(GLuint handle) {
  GLint length = 0;
  glGetShaderiv(handle, GL_INFO_LOG_LENGTH, &length);
  if (length <= 0) return "";
  std::vector<char> log(static_cast<size_t>(length) + 1, '\0');
  glGetShaderInfoLog(handle, length, nullptr, log.data());
  return log.data();
}

static std::string programLog(GLuint handle) {
  GLint length = 0;
  glGetProgramiv(handle, GL_INFO_LOG_LENGTH, &length);
  if (length <= 0) return "";
  std::vector<char> log(static_cast<size_t>(length) + 1, '\0');
  glGetProgramInfoLog(handle, length, nullptr, log.data());
  return log.data();
}

// Recompiling (a shader reload) replaces the stage's object; GL keeps a replaced object alive
// while the old program still holds it and frees it with that program.
bool Shader::compile(unsigned int stage, const std::string& source, unsigned int& handle) {
  if (handle != 0) glDeleteShader(handle);
  handle = glCreateShader(stage);
  const GLchar* text = source.c_str();
  glShaderSource(handle, 1, &text, nullptr);
  glCompileShader(handle);
  GLint status = GL_FALSE;
  glGetShaderiv(handle, GL_COMPILE_STATUS, &status);
  if (status == GL_TRUE) return true;
  fail(shaderLog(handle));
  return false;
}

bool Shader::setVertexSource(const std::string& source) {
  vertexSource = source;
  return compile(GL_VERTEX_SHADER, source, vertexShader);
}

bool Shader::setFragmentSource(const std::string& source) {
  fragmentSource = source;
  return compile(GL_FRAGMENT_SHADER, source, fragmentShader);
}

void Shader::swap(Shader& other) {
  std::swap(vertexSource, other.vertexSource);
  std::swap(fragmentSource, other.fragmentSource);
  std::swap(vertexShader, other.vertexShader);
  std::swap(fragmentShader, other.fragmentShader);
  std::swap(program, other.program);
  std::swap(valid, other.valid);
  std::swap(errorMessage, other.errorMessage);
}

bool Shader::link() {
  if (program != 0) glDeleteProgram(program);
  program = glCreateProgram();
  glAttachShader(program, vertexShader);
  glAttachShader(program, fragmentShader);
  glLinkProgram(program);
  GLint status = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &status);
  if (status == GL_TRUE) return true;
  std::string log = programLog(program);
  fail(log.empty() ? "Unknown error while linking shader pair" : log);
  return false;
}

void Shader::use() { glUseProgram(program); }

void Shader::release() {
  glUseProgram(0);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE2);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void Shader::setTextureUnit(int unit, const std::string& name, Texture* texture) {
  GLint loc = quietLocation(name);
  glActiveTexture(GL_TEXTURE0 + unit);
  texture->bind();
  glUniform1i(loc, unit);
  if (unit != 0) glActiveTexture(GL_TEXTURE0);
}

void Shader::setTextureUnit0(const std::string& name, Texture* texture) { setTextureUnit(0, name, texture); }
void Shader::setTextureUnit1(const std::string& name, Texture* texture) { setTextureUnit(1, name, texture); }
void Shader::setTextureUnit2(const std::string& name, Texture* texture) { setTextureUnit(2, name, texture); }
void Shader::setTextureUnit3(const std::string& name, Texture* texture) { setTextureUnit(3, name, texture); }

namespace {
bool reportingOnce = false;
}  // namespace

void Shader::reportMissingUniformsOnce(bool once) { reportingOnce = once; }

int Shader::location(const std::string& uniform) const {
  return glGetUniformLocation(program, uniform.c_str());
}

void Shader::noteMissing(const std::string& uniform) const {
  if (!reportedMissing.insert(uniform).second) return;
  std::cerr << "shader '" << name << "' has no uniform '" << uniform << "' (its effect sets it)" << std::endl;
}

int Shader::reportedLocation(const std::string& uniform) const {
  int loc = location(uniform);
  if (loc != -1) return loc;
  if (reportingOnce) {
    noteMissing(uniform);
  } else {
    std::cout << "Error: Uniform variable '" << uniform << "' not found!" << std::endl;
  }
  return loc;
}

int Shader::quietLocation(const std::string& uniform) const {
  int loc = location(uniform);
  if (loc == -1 && reportingOnce) noteMissing(uniform);
  return loc;
}

void Shader::setUniform1f(const std::string& name, float value) {
  int loc = reportedLocation(name);
  if (loc != -1) glUniform1f(loc, value);
}

void Shader::setUniform1i(const std::string& name, int value) {
  int loc = reportedLocation(name);
  if (loc != -1) glUniform1i(loc, value);
}

void Shader::setUniform3x3m(const std::string& name, const float* m) {
  int loc = reportedLocation(name);
  if (loc != -1) glUniformMatrix3fv(loc, 1, GL_FALSE, m);
}

void Shader::setUniform4x4m(const std::string& name, const float* m) {
  int loc = reportedLocation(name);
  if (loc != -1) glUniformMatrix4fv(loc, 1, GL_FALSE, m);
}

void Shader::setUniform2f(const std::string& name, float x, float y) {
  int loc = quietLocation(name);
  if (loc != -1) glUniform2f(loc, x, y);
}

void Shader::setUniform3f(const std::string& name, float x, float y, float z) {
  int loc = quietLocation(name);
  if (loc != -1) glUniform3f(loc, x, y, z);
}

void Shader::setUniform4f(const std::string& name, float x, float y, float z, float w) {
  int loc = quietLocation(name);
  if (loc != -1) glUniform4f(loc, x, y, z, w);
}

void Shader::setUniform2fv(const std::string& name, const Vector2f& v) {
  int loc = quietLocation(name);
  if (loc != -1) glUniform2fv(loc, 1, v.data());
}

void Shader::setUniform3fv(const std::string& name, const Vector3f& v) {
  int loc = quietLocation(name);
  if (loc != -1) glUniform3fv(loc, 1, v.data());
}

void Shader::setUniform4fv(const std::string& name, const Vector4f& v) {
  int loc = quietLocation(name);
  if (loc != -1) glUniform4fv(loc, 1, v.data());
}

std::string Shader::toString() const {
  return "Shader(vshader size = " + QNVUtils::uint2string(static_cast<unsigned int>(vertexSource.size())) +
         ", fragshader size = " + QNVUtils::uint2string(static_cast<unsigned int>(fragmentSource.size())) +
         ", pref=" + QNVUtils::uint2string(program) + ", vref=" + QNVUtils::uint2string(vertexShader) +
         ", fref=" + QNVUtils::uint2string(fragmentShader) + ")";
}
