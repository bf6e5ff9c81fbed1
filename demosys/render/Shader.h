// One GLSL vertex shader and one fragment shader linked into a program, with uniform setters
// addressed by uniform name. Compile and link logs accumulate in the error message.
// GL names are plain unsigned ints so the header needs no GL header.
// Depends on: Texture (sampler bindings), Vector, QNVUtils (toString), GLEW.
#pragma once

#include <set>
#include <string>

#include "demosys/math/Vector.h"

class Texture;

class Shader {
 public:
  Shader() = default;
  ~Shader();
  Shader(const Shader&) = delete;
  Shader& operator=(const Shader&) = delete;

  // Compile one stage from preprocessed source; false (and the log appended) on failure.
  // Compiling again replaces the stage's shader object.
  bool setVertexSource(const std::string& source);
  bool setFragmentSource(const std::string& source);
  // Links the two stages into a new program; false (and the log appended) on failure.
  bool link();
  // Exchanges everything (sources, GL objects, validity, log) with other: a program compiled aside
  // takes this shader's place while every holder of this object keeps its pointer.
  void swap(Shader& other);

  void use();
  // Leaves no program in use and texture units 1, 2 and 0 unbound, unit 0 active.
  void release();

  // Binds texture to unit n and points the sampler uniform name at it; unit 0 is left active.
  // The shader must be in use.
  void setTextureUnit0(const std::string& name, Texture* texture);
  void setTextureUnit1(const std::string& name, Texture* texture);
  void setTextureUnit2(const std::string& name, Texture* texture);
  void setTextureUnit3(const std::string& name, Texture* texture);

  // A missing uniform is reported on standard output by these four, at every call; after
  // reportMissingUniformsOnce(true) (the tools) every setter reports it instead, once per shader
  // and name, on standard error.
  void setUniform1f(const std::string& name, float value);
  void setUniform1i(const std::string& name, int value);
  // Column-major 3x3 and 4x4 matrices.
  void setUniform3x3m(const std::string& name, const float* m);
  void setUniform4x4m(const std::string& name, const float* m);
  // A missing uniform is ignored silently by the vector setters (unless reporting once).
  void setUniform2f(const std::string& name, float x, float y);
  void setUniform3f(const std::string& name, float x, float y, float z);
  void setUniform4f(const std::string& name, float x, float y, float z, float w);
  void setUniform2fv(const std::string& name, const Vector2f& v);
  void setUniform3fv(const std::string& name, const Vector3f& v);
  void setUniform4fv(const std::string& name, const Vector4f& v);

  static void reportMissingUniformsOnce(bool once);
  // The pool name, for the tools' reports.
  void setName(const std::string& poolName) { name = poolName; }
  const std::string& getName() const { return name; }

  unsigned int getProgramHandle() const { return program; }
  const std::string& getErrorMessage() const { return errorMessage; }
  bool isValid() const { return valid; }
  const std::string& getVertexSource() const { return vertexSource; }
  const std::string& getFragmentSource() const { return fragmentSource; }

  std::string toString() const;

 private:
  bool compile(unsigned int stage, const std::string& source, unsigned int& handle);
  void setTextureUnit(int unit, const std::string& name, Texture* texture);
  int reportedLocation(const std::string& uniform) const;
  int quietLocation(const std::string& uniform) const;
  int location(const std::string& uniform) const;
  void noteMissing(const std::string& uniform) const;
  void fail(const std::string& log);

  std::string vertexSource;
  std::string fragmentSource;
  unsigned int vertexShader = 0;
  unsigned int fragmentShader = 0;
  unsigned int program = 0;
  bool valid = true;
  std::string errorMessage;
  std::string name;
  // Names already reported once; filled only on a miss, so a frame of found uniforms allocates nothing.
  mutable std::set<std::string> reportedMissing;
};
