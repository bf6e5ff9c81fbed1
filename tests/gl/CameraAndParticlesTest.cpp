// The engine camera's view transform read back from GL, camera paths driving it, and particle
// systems drawing their points.
#include <GL/glew.h>

#include <iostream>
#include <memory>
#include <sstream>

#include "demosys/camera/Animation.h"
#include "demosys/camera/AnimationCameraController.h"
#include "demosys/camera/Camera.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/render/ParticleSystem.h"
#include "demosys/render/Shader.h"
#include "tests/gl/GLTestFixture.h"

namespace {

class CameraAndParticles : public GLTestFixture {
 protected:
  static Matrix modelview() {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    return Matrix(m);
  }
  static void expectMatrix(const Matrix& actual, const Matrix& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i;
  }
  static bool link(Shader& shader, const char* vertex, const char* fragment) {
    return shader.setVertexSource(vertex) && shader.setFragmentSource(fragment) && shader.link();
  }
};

TEST_F(CameraAndParticles, ViewTransformRotatesThenMovesTheWorld) {
  struct Case {
    float pitch, heading, velocity;
    Vector3f position, expectedPosition;
  } cases[] = {
      {0, 90, 0, {1, 2, 3}, {1, 2, 3}},
      {30, -45, 0, {-4, 0, 7}, {-4, 0, 7}},
      {0, 0, 2, {0, 0, 0}, {0, 0, -2}},  // moves forward, down -z
      {0, 90, 2, {0, 0, 0}, {2, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pitch " << c.pitch << ", heading " << c.heading);
    Camera camera;
    camera.setPitch(c.pitch);
    camera.setHeading(c.heading);
    camera.setPosition(c.position);
    camera.setVelocity(c.velocity);
    glLoadIdentity();
    camera.setGLMatrixes();
    const Vector3f p = camera.getPosition();
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], c.expectedPosition[i], 1e-5f);
    expectMatrix(modelview(),
                 Matrix::rotationX(c.pitch) * Matrix::rotationY(c.heading) * Matrix::translation(-p));
    expectMatrix(camera.getMatrix(), Matrix::rotationY(c.heading) * Matrix::rotationX(c.pitch));
  }
}

TEST_F(CameraAndParticles, ControllerMovesTheEngineCamera) {
  Animation path;
  for (float z : {5.0f, 15.0f, 25.0f}) path.addKeyframe(new Keyframe(Vector3f(0, 0, z), 0, 0));
  std::unique_ptr<AnimationCameraController> controller(path.getCameraController());
  controller->setStartTime(1000);
  controller->setEndTime(3000);
  struct Step {
    float u;           // progress, or ...
    long time;         // ... a time when not negative
    float cameraZ;     // the engine camera afterwards
    bool viewApplied;  // the modelview was moved to -cameraZ
  } steps[] = {
      {-0.5f, -1, 5, true}, {0.75f, -1, 20, true}, {3.0f, -1, 20, true},  // 3 is off the end: pose kept
      {0, 2000, 15, true},  {0, 500, 15, false},   {0, 3001, 15, false}, {0, 1500, 10, true},
  };
  std::ostringstream outOfRange;
  std::streambuf* console = std::cout.rdbuf(outOfRange.rdbuf());
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "u " << s.u << ", time " << s.time);
    glLoadIdentity();
    if (s.time < 0) controller->animate(s.u);
    if (s.time >= 0) controller->animate(static_cast<unsigned>(s.time));
    EXPECT_FLOAT_EQ(QNVDemosys::camera.getPosition()[2], s.cameraZ);
    EXPECT_FLOAT_EQ(modelview()[14], s.viewApplied ? -s.cameraZ : 0.0f);
  }
  std::cout.rdbuf(console);
  EXPECT_EQ(outOfRange.str(), "OUT OF RANGE 2\n");
  QNVDemosys::camera = Camera();
  glLoadIdentity();
}

TEST_F(CameraAndParticles, ParticlesDrawAsPointsAndSpritesWhereTheirAttributesMoveThem) {
  Shader shader;
  ASSERT_TRUE(
      link(shader,
           "uniform float Time;\nuniform float PointSize;\nattribute vec3 Velocity;\n"
           "attribute float StartTime;\nvoid main() { gl_FrontColor = gl_Color; gl_PointSize = PointSize;\n"
           "  gl_Position = gl_Vertex + vec4(Velocity * Time, 0.0) + vec4(0.0, StartTime, 0.0, 0.0); }\n",
           "void main() { gl_FragColor = gl_Color; }\n"))
      << shader.getErrorMessage();
  ParticleSystem system(2, 1, true);
  system.getVertexPointer()[1] = Vector3f(-0.5f, 0, 0);
  system.getVelocityPointer()[0] = 0.25f;
  system.getStartPointer()[0] = 0.5f;
  system.getColorPointer()[0] = system.getColorPointer()[4] = 1.0f;
  system.setPointSize(12);
  system.initBuffers();
  glPointSize(5);
  system.drawPoints(&shader, 2.0f);
  glPointSize(1);
  const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, black{0, 0, 0, 255};
  EXPECT_PRED3(near, readWindowAt(0.5f, 0.5f), red, 0) << "moved by velocity x time and the start time";
  EXPECT_PRED3(near, readWindowAt(-0.5f, 0), green, 0);
  EXPECT_PRED3(near, readWindowAt(0.5f + 10.0f / windowWidth, 0.5f), black, 0) << "a 5-pixel point";
  clearScreen();
  glBlendFunc(GL_ONE, GL_ZERO);
  system.drawPointSprites(&shader);
  EXPECT_PRED3(near, readWindowAt(0.5f + 10.0f / windowWidth, 0.5f), red, 0) << "a 12-pixel sprite, Time kept";
  GLint source = 0, depthWrites = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_EQ(source, GL_ONE);
  EXPECT_EQ(depthWrites, GL_TRUE);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_PROGRAM_POINT_SIZE));
}

}  // namespace
