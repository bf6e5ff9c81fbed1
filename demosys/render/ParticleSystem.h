// A fixed grid of particles whose motion the GPU computes: the CPU writes each particle's start
// position, colour, velocity and start time once into vertex buffers, and the effect's shader moves
// them from its "Time" uniform and the attributes "Velocity" and "StartTime". Drawn as GL_POINTS,
// usually as additive textured point sprites.
// Depends on: Vector, Shader, Texture, QNVDemosys (GL error report), GLEW.
#pragma once

#include <vector>

#include "demosys/math/Vector.h"

class Shader;
class Texture;

class ParticleSystem {
 public:
  // width x height particles with zeroed positions; with full also zeroed colours, velocities and
  // start times. A negative size counts as 0.
  ParticleSystem(int width, int height, bool full);
  ~ParticleSystem();
  ParticleSystem(const ParticleSystem&) = delete;
  ParticleSystem& operator=(const ParticleSystem&) = delete;

  // Arrays of the particles in grid order; null for an array the system does not have.
  Vector3f* getVertexPointer() { return positions.data(); }
  float* getColorPointer() { return dataOrNull(colours); }
  float* getVelocityPointer() { return dataOrNull(velocities); }
  float* getTexCoordPointer() { return dataOrNull(texCoords); }
  float* getStartPointer() { return dataOrNull(startTimes); }
  int getWidth() const { return width; }
  int getHeight() const { return height; }
  int getCount() const { return static_cast<int>(positions.size()); }
  void setPointSize(float value) { pointSize = value; }
  float getPointSize() const { return pointSize; }
  // Prints the buffer sizes as initBuffers() makes them.
  void setTrace(bool flag) { trace = flag; }

  // Random start values: positions within 0.005 of the origin, colours in 0..1, velocities below
  // 0.1 in size, start times in 0..100. Fills at most the system's own particles.
  void createPoints(int width, int height);
  // Adds zeroed texture coordinates (two per particle); call before initBuffers().
  void initTexCoordBuffer();
  // One GL buffer per array present, filled from the arrays; again replaces them.
  void initBuffers();

  // Binds the buffers (velocities and start times as the shader's attributes) and draws the points;
  // the shader must be in use. Nothing is drawn before initBuffers().
  void drawSystem(Shader* shader);
  // use(), "Time", drawSystem, release().
  void drawPoints(Shader* shader, float time);
  // Additive point sprites, sized by the shader from its "PointSize" uniform; with a texture the
  // sampler "particle" reads it on unit 0, with a time "Time" is set. Blending ends off and depth
  // writes on; the blend function and point parameters are restored.
  void drawPointSprites(Shader* shader);
  void drawPointSprites(Shader* shader, Texture* texture);
  void drawPointSprites(Shader* shader, Texture* texture, float time);

 private:
  static float* dataOrNull(std::vector<float>& values) { return values.empty() ? nullptr : values.data(); }
  unsigned int upload(const void* data, long bytes, const char* traceName);
  void deleteBuffers();
  void drawSprites(Shader* shader, Texture* texture, const float* time);

  std::vector<Vector3f> positions;
  std::vector<float> colours;
  std::vector<float> velocities;
  std::vector<float> texCoords;
  std::vector<float> startTimes;
  int width;
  int height;
  float pointSize = 100.0f;
  unsigned int vertexBuffer = 0;
  unsigned int colourBuffer = 0;
  unsigned int velocityBuffer = 0;
  unsigned int startBuffer = 0;
  unsigned int texCoordBuffer = 0;
  int velocityAttribute = -1;
  int startAttribute = -1;
  bool trace = false;
};
