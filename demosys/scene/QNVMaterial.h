// Fixed-function material colours plus the texture maps that shader instances bind. A default
// material is plain red so that objects drawn with it stand out.
// Depends on: Vector, Texture (pointers only, owned by the texture pool), OpenGL.
#pragma once

#include <string>

#include "demosys/math/Vector.h"

class Texture;

class QNVMaterial {
 public:
  void setAmbient(float r, float g, float b) { ambient = Vector3f(r, g, b); }
  void setDiffuse(float r, float g, float b) { diffuse = Vector3f(r, g, b); }
  void setSpecular(float r, float g, float b) { specular = Vector3f(r, g, b); }
  void setEmissive(float r, float g, float b) { emissive = Vector3f(r, g, b); }
  Vector3f getAmbient() const { return ambient; }
  Vector3f getDiffuse() const { return diffuse; }
  Vector3f getSpecular() const { return specular; }
  Vector3f getEmissive() const { return emissive; }
  void setShininess(float value) { shininess = value; }
  float getShininess() const { return shininess; }
  void setName(const std::string& value) { name = value; }
  const std::string& getName() const { return name; }
  // File names of the maps, resolved to textures once the texture pool is loaded.
  void setDiffuseMap(const std::string& file) { diffuseMap = file; }
  const std::string& getDiffuseMap() const { return diffuseMap; }
  void setNormalMap(const std::string& file) { normalMap = file; }
  const std::string& getNormalMap() const { return normalMap; }
  void setDiffuseTexture(Texture* texture) { diffuseTexture = texture; }
  Texture* getDiffuseTexture() const { return diffuseTexture; }
  void setNormalTexture(Texture* texture) { normalTexture = texture; }
  Texture* getNormalTexture() const { return normalTexture; }

  // Applies the colours and shininess to both faces of the fixed-function pipeline.
  void use() const;
  // Ambient and diffuse of both faces to one RGBA colour.
  static void useColor(float r, float g, float b, float a);
  static void useColor(const Vector4f& color);
  void print() const;

 private:
  std::string name;
  Vector3f ambient{1.0f, 0.0f, 0.0f};
  Vector3f diffuse{1.0f, 0.0f, 0.0f};
  Vector3f emissive{0.0f, 0.0f, 0.0f};
  Vector3f specular{0.25f, 0.25f, 0.25f};
  float shininess = 10.0f;
  Texture* diffuseTexture = nullptr;
  Texture* normalTexture = nullptr;
  std::string diffuseMap;
  std::string normalMap;
};
