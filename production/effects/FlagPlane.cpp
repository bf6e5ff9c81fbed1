#include "production/effects/FlagPlane.h"

#include <GL/glew.h>

#include "demosys/render/VBODynamic.h"
#include "demosys/scene/QNVMesh.h"

FlagPlane::FlagPlane(float width, float height, int columns, int rows, const TextureArea& area)
    : width(width),
      height(height),
      columns(columns),
      rows(rows),
      mesh(std::make_unique<QNVMesh>(columns * rows, (columns - 1) * (rows - 1), 4, true, true, true)) {
  generatePlane(area);
  stepFalloff();
}

FlagPlane::~FlagPlane() = default;

void FlagPlane::generatePlane(const TextureArea& area) {
  const float dx = width / static_cast<float>(columns);
  const float dy = height / static_cast<float>(rows);
  Vector3f* positions = mesh->getVertexPointer();
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      const int k = j * columns + i;
      positions[k] = Vector3f(scaleX * (-width / 2.0f + static_cast<float>(i) * dx),
                              scaleY * (-height / 2.0f + static_cast<float>(j) * dy), -1.0f);
      mesh->setTexCoord(k, Vector2f(static_cast<float>(i) * area.sScale / static_cast<float>(columns),
                                    area.tOrigin + static_cast<float>(j) * area.tScale / static_cast<float>(rows)));
      if (i < columns - 1 && j < rows - 1) {
        mesh->setQuad(j * (columns - 1) + i, k, k + 1, k + 1 + columns, k + columns);
      }
    }
  }
  tip = positions[getVertexCount() - 1];
  cordVertex = positions[columns - 2];
  vertexBuffer = std::make_unique<VBODynamic>(mesh.get());
}

void FlagPlane::stepFalloff() {
  falloff.reset(1.0, 10.0, columns);
  divisors.resize(static_cast<size_t>(columns));
  for (double& divisor : divisors) divisor = falloff.step();
}

Vector3f FlagPlane::displaced(int k, const Noise& noise, double divisor) const {
  const Vector3f& rest = mesh->getVertexPointer()[k];
  return Vector3f(rest.x() - 2.0 * scaleX * noise.x / divisor, rest.y() - (noise.y / divisor + 0.05) * scaleY,
                  rest.z() - 2.0 * noise.z / divisor);
}

float* FlagPlane::openPositions() { return vertexBuffer->openVertexBuffer(GL_WRITE_ONLY); }

void FlagPlane::closePositions() { vertexBuffer->closeVertexBuffer(); }

// The positions are read back from the buffer they were just written to, so the normals follow
// what is drawn.
void FlagPlane::updateNormals() {
  const float* mapped = vertexBuffer->openVertexBuffer(GL_READ_ONLY);
  if (mapped == nullptr) return;
  const auto* positions = reinterpret_cast<const Vector3f*>(mapped);
  mesh->calcFNormals(positions);
  tip = positions[getVertexCount() - 1];
  cordVertex = positions[columns - 2];
  vertexBuffer->closeVertexBuffer();
}

void FlagPlane::drawCloth() { vertexBuffer->drawPolygons(GL_QUADS, 0, 0); }
