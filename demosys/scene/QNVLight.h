// A directional OpenGL light placed by a 4 x 4 matrix from the scene file: its direction is the
// matrix's third column turned from the file's z-up axes to the engine's y-up axes.
// Depends on: Vector, Matrix, QNVAnimation (pointer, owned by the scene), OpenGL.
#pragma once

#include <string>

#include "demosys/math/Matrix.h"
#include "demosys/math/Vector.h"

class QNVAnimation;

class QNVLight {
 public:
  void setColor(const Vector4f& value) { color = value; }
  const Vector4f& getColor() const { return color; }
  void setType(unsigned value) { type = value; }
  unsigned getType() const { return type; }
  void setAnim(QNVAnimation* value) { animation = value; }
  QNVAnimation* getAnim() const { return animation; }
  Matrix& getMatrixRef() { return matrix; }
  void setName(const std::string& value) { name = value; }
  const std::string& getName() const { return name; }

  // The homogeneous GL_POSITION of the light (w = 0: directional).
  Vector4f getPosition() const;
  // Enables glLight with the colour as its diffuse part and the position above.
  void enable(unsigned glLight);
  void disable();
  // A debugging marker of the given size at the light, drawn unlit.
  void draw(float size) const;

 private:
  std::string name;
  Vector4f color{1.0f, 1.0f, 1.0f, 0.0f};
  unsigned type = 0;
  QNVAnimation* animation = nullptr;
  Matrix matrix;
  unsigned glLight = 0;
};
