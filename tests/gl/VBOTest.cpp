// Vertex buffers: static interleaved meshes with and without indices, and dynamic buffers updated
// through mapped memory, with their bounds checks and map failure report.
#include <GL/glew.h>

#include <vector>

#include "demosys/render/Shader.h"
#include "demosys/render/VBO.h"
#include "demosys/render/VBODynamic.h"
#include "demosys/scene/QNVMesh.h"
#include "tests/gl/GLTestFixture.h"

namespace {

const Rgba white{255, 255, 255, 255};
const Rgba black{0, 0, 0, 255};

class VBOTest : public GLTestFixture {
 protected:
  static GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
  }
  static GLint boundBufferSize(GLenum target) {
    GLint size = 0;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    return size;
  }
};

// Four interleaved vertices (position, normal, texture coordinate) of the square x, y in [x0, x1].
std::vector<float> square(float x0, float x1) {
  return {x0, x0, 0, 0, 0, 1, 0, 0, x1, x0, 0, 0, 0, 1, 1, 0,
          x1, x1, 0, 0, 0, 1, 1, 1, x0, x1, 0, 0, 0, 1, 0, 1};
}

// The square uploaded as two indexed triangles.
void indexedSquare(VBO& vbo, float x0, float x1) {
  const std::vector<float> vertices = square(x0, x1);
  const std::vector<unsigned int> indices = {0, 1, 2, 0, 2, 3};
  vbo.setVertexBuffer(4, 3, 3, 2, vertices.data());
  vbo.setElementBuffer(2, indices.data());
}

// The interleaved layout and the drawing of meshes without indices (the production's scenes), the
// golden frames show; what they do not: the uploads unbind, a release disables the arrays, and an
// indexed mesh draws through its element buffer and unbinds both buffers.
TEST_F(VBOTest, UploadsUnbindAndReleaseDisablesTheArrays) {
  VBO vbo;
  std::vector<float> vertices = square(-0.5f, 0.5f);
  vbo.setVertexBuffer(4, 3, 3, 2, vertices.data());
  EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0) << "uploads unbind";
  vbo.bindBuffers();
  EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
  vbo.releaseBuffers();
  for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY}) EXPECT_FALSE(glIsEnabled(array));
  EXPECT_NE(integer(GL_ARRAY_BUFFER_BINDING), 0) << "a mesh without indices leaves its vertex buffer bound";
}

TEST_F(VBOTest, IndexedMeshDrawsThroughItsElementBufferAndWireframeDrawsEdgesOnly) {
  VBO quad;
  indexedSquare(quad, 0.0f, 0.9f);
  quad.draw();
  EXPECT_PRED3(near, readWindowAt(0.2f, 0.8f), white, 0);
  EXPECT_PRED3(near, readWindowAt(0.8f, 0.2f), white, 0);
  EXPECT_PRED3(near, readWindowAt(-0.5f, -0.5f), black, 0);
  EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
  EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);

  clearScreen();
  VBO big;
  indexedSquare(big, -0.5f, 0.5f);
  big.drawWireframe();
  // Indices 0 1 | 2 0 | 2 3 read as lines: the bottom edge, the diagonal and the top edge.
  // The edge lies on a pixel boundary: either neighbouring row may hold it.
  int edgeRow = windowHeight / 4;
  bool edgeDrawn = near(readWindow(windowWidth / 2, edgeRow), white, 0) ||
                   near(readWindow(windowWidth / 2, edgeRow - 1), white, 0);
  EXPECT_TRUE(edgeDrawn);
  EXPECT_PRED3(near, readWindowAt(0.3f, -0.3f), black, 0);
  EXPECT_PRED3(near, readWindowAt(-0.3f, 0.3f), black, 0);
}

TEST_F(VBOTest, DynamicBufferDrawsPositionsWrittenThroughTheMappedPointer) {
  VBODynamic vbo(4, 3, 0, 0, 0, 4, 1);
  ASSERT_NE(vbo.openPolygonBuffer(GL_WRITE_ONLY), nullptr);
  vbo.setPolygon(0, Vector4i(0, 1, 2, 3));
  vbo.closePolygonBuffer();
  EXPECT_EQ(vbo.getPolygonPointer(), nullptr) << "closing forgets the mapped address";

  for (float x0 : {0.1f, -0.9f}) {
    ASSERT_NE(vbo.openVertexBuffer(GL_WRITE_ONLY), nullptr);
    vbo.setVertex(0, Vector3f(x0, -0.5f, 0.0f));
    vbo.setVertex(1, Vector3f(x0 + 0.8f, -0.5f, 0.0f));
    vbo.setVertex(2, Vector3f(x0 + 0.8f, 0.5f, 0.0f));
    vbo.setVertex(3, Vector3f(x0, 0.5f, 0.0f));
    vbo.closeVertexBuffer();
    clearScreen();
    vbo.drawPolygons(GL_QUADS, 0, 0);
    EXPECT_PRED3(near, readWindowAt(x0 + 0.4f, 0.0f), white, 0) << x0;
    EXPECT_PRED3(near, readWindowAt(-x0 - 0.4f, 0.0f), black, 0) << x0;
  }
  EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
}

TEST_F(VBOTest, DynamicColoursAndArraysDrawPerVertexColour) {
  VBODynamic vbo(3, 2, 4, 0, 0, 0, 0);
  float* positions = vbo.openVertexBuffer(GL_WRITE_ONLY);
  ASSERT_NE(positions, nullptr);
  const float corners[6] = {-1, -1, 1, -1, -1, 1};
  std::copy(corners, corners + 6, positions);
  vbo.closeVertexBuffer();
  ASSERT_NE(vbo.openColorBuffer(GL_WRITE_ONLY), nullptr);
  for (unsigned int i = 0; i < 3; ++i) vbo.setColor(i, Vector4f(0.0f, 1.0f, 0.0f, 1.0f));
  vbo.closeColorBuffer();
  vbo.drawArray(GL_TRIANGLES, 0, 0);
  EXPECT_PRED3(near, readWindowAt(-0.8f, -0.8f), (Rgba{0, 255, 0, 255}), 0);
  EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));

  clearScreen();
  vbo.drawArray(GL_TRIANGLES, 0, 2);  // two vertices make no triangle
  EXPECT_PRED3(near, readWindowAt(-0.8f, -0.8f), black, 0);
}

TEST_F(VBOTest, SetOperationsRefuseElementsOutsideTheArrays) {
  VBODynamic vbo(4, 3, 0, 0, 0, 3, 2);
  vbo.openVertexBuffer(GL_READ_WRITE);
  vbo.openPolygonBuffer(GL_READ_WRITE);
  testing::internal::CaptureStdout();
  vbo.setVertex(3, Vector3f(1.0f, 2.0f, 3.0f));
  vbo.setVertex(4, Vector3f(9.0f, 9.0f, 9.0f));
  vbo.setColor(0, Vector3f(1.0f, 1.0f, 1.0f));
  vbo.setColor(5, Vector4f(1.0f, 1.0f, 1.0f, 1.0f));
  vbo.setPolygon(1, Vector3i(0, 1, 2));
  vbo.setPolygon(2, Vector3i(0, 1, 2));
  vbo.setPolygon(1, Vector4i(0, 1, 2, 3));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "VBODynamic::setVertex(4) overflow!\nVBODynamic::setColor(0) overflow!\n"
            "VBODynamic::setColor(5) overflow!\nVBODynamic::setPolygon(2) overflow!\n"
            "VBODynamic::setPolygon(1) overflow!\n");
  vbo.closePolygonBuffer();
  vbo.closeVertexBuffer();

  const float* readBack = vbo.openVertexBuffer(GL_READ_ONLY);
  ASSERT_NE(readBack, nullptr);
  EXPECT_EQ(std::vector<float>(readBack + 9, readBack + 12), (std::vector<float>{1.0f, 2.0f, 3.0f}));
  vbo.closeVertexBuffer();
}

TEST_F(VBOTest, FailedMapIsReportedAndNothingIsWrittenThroughIt) {
  VBODynamic vbo(4, 3, 0, 0, 0, 0, 0);
  ASSERT_NE(vbo.openVertexBuffer(GL_WRITE_ONLY), nullptr);
  testing::internal::CaptureStdout();
  float* again = vbo.openVertexBuffer(GL_WRITE_ONLY);  // already mapped: GL refuses
  std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(again, nullptr);
  EXPECT_EQ(printed.rfind("VBODynamic::openVertexBuffer() cannot map the buffer\n"
                          "[GL_ERROR LOCATION = 'VBODynamic::openVertexBuffer']\n",
                          0),
            0u)
      << printed;
  testing::internal::CaptureStdout();
  vbo.setVertex(0, Vector3f(1.0f, 1.0f, 1.0f));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  vbo.closeVertexBuffer();
}

// A 10 x 10 grid of vertices in 81 quads, through the mesh's own arrays.
TEST_F(VBOTest, MeshBuffersCarryTheMeshsPositionsAndQuads) {
  QNVMesh mesh(100, 81, 4);
  for (int q = 0; q < 81; ++q) {
    const int v = q / 9 * 10 + q % 9;
    mesh.setQuad(q, v, v + 1, v + 11, v + 10);
  }
  for (int i = 0; i < 100; ++i) mesh.getVertexPointer()[i] = Vector3f(1.0f * i, 2.0f * i, 3.0f * i);
  VBODynamic vbo(&mesh);
  EXPECT_EQ(vbo.getVertexPointer(), &mesh.getVertexPointer()[0][0]) << "the mesh's own array until mapped";
  const float* mapped = vbo.openVertexBuffer(GL_READ_ONLY);
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(boundBufferSize(GL_ARRAY_BUFFER), 1200);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(Vector3f(mapped[3 * i], mapped[3 * i + 1], mapped[3 * i + 2]), mesh.getVertexPointer()[i]);
  vbo.closeVertexBuffer();
  const unsigned int* indices = vbo.openPolygonBuffer(GL_READ_ONLY);
  ASSERT_NE(indices, nullptr);
  EXPECT_EQ(boundBufferSize(GL_ELEMENT_ARRAY_BUFFER), 1296);
  const int* quads = mesh.getPolygonPointer();
  EXPECT_EQ(std::vector<unsigned int>(indices, indices + 324), std::vector<unsigned int>(quads, quads + 324));
  vbo.closePolygonBuffer();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

TEST_F(VBOTest, GenericAttributeBufferFeedsTheShader) {
  Shader shader;
  ASSERT_TRUE(shader.setVertexSource(
      "attribute vec3 shift;\nvoid main() { gl_Position = gl_Vertex + vec4(shift, 0.0); }\n"));
  ASSERT_TRUE(shader.setFragmentSource("void main() { gl_FragColor = vec4(1.0, 0.0, 1.0, 1.0); }\n"));
  ASSERT_TRUE(shader.link()) << shader.getErrorMessage();

  VBODynamic vbo(3, 2, 0, 0, 0, 0, 0);
  float* positions = vbo.openVertexBuffer(GL_WRITE_ONLY);
  ASSERT_NE(positions, nullptr);
  const float corners[6] = {-1, -1, 0, -1, -1, 0};
  std::copy(corners, corners + 6, positions);
  vbo.closeVertexBuffer();
  std::vector<float> shifts(9, 0.0f);
  vbo.initVertexAttributeData(3, sizeof(float) * 9, shifts.data());
  float* mapped = vbo.openAttribBuffer(3, GL_WRITE_ONLY);
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(vbo.getAttribPointer(3), mapped);
  for (int v = 0; v < 3; ++v) mapped[v * 3] = 1.0f;  // move the triangle right by half the screen
  vbo.closeAttribBuffer(3);

  shader.use();
  vbo.bindVertexAttrib(3, &shader, "shift");
  vbo.drawArray(GL_TRIANGLES, 0, 0);
  glDisableVertexAttribArray(static_cast<GLuint>(glGetAttribLocation(shader.getProgramHandle(), "shift")));
  shader.release();
  EXPECT_PRED3(near, readWindowAt(0.1f, -0.9f), (Rgba{255, 0, 255, 255}), 0);
  EXPECT_PRED3(near, readWindowAt(-0.9f, -0.9f), black, 0);
}

}  // namespace
