// Scenes on GL: SceneWriter's files loaded back into the same tree, both drawing paths, lights; the
// engine camera's view transform read back from GL, camera paths driving it; particle systems.
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
#include "demosys/render/ShaderInstance.h"
#include "demosys/render/VBO.h"
#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVLight.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVObjectGroup.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "demosys/scene/SceneFileReader.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/SceneSamples.h"

namespace {

const Rgba white{255, 255, 255, 255};
const Rgba black{0, 0, 0, 255};

class SceneTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    saved = QNVDemosys::parameters;
    QNVDemosys::parameters = &parameters;
  }
  void TearDown() override {
    QNVDemosys::parameters = saved;
    GLTestFixture::TearDown();
  }
  std::unique_ptr<QNVScene> load(const SceneDescription& description, QNVSceneLoader& loader) {
    std::unique_ptr<QNVScene> scene(loader.loadScene(*sceneFile(description), keyframeFile(description).get()));
    EXPECT_TRUE(loader.isValid()) << loader.getErrorMessage();
    return scene;
  }
  // The scene's x in [-4, 4] and y in [-4, 4] fill the window; the pixel of a scene point.
  static void sceneView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -4, 4, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  static Rgba at(float x, float y) {
    return readWindow(static_cast<int>((x + 4) / 8 * windowWidth), static_cast<int>((y + 4) / 8 * windowHeight));
  }
  // The three pixels across a point, for lines a few pixels wide.
  static bool redNear(float x, float y) {
    const int px = static_cast<int>((x + 4) / 8 * windowWidth);
    const int py = static_cast<int>((y + 4) / 8 * windowHeight);
    for (int dx = -2; dx <= 2; ++dx) {
      if (near(readWindow(px + dx, py), Rgba{255, 0, 0, 255})) return true;
    }
    return false;
  }

  Parameters parameters;
  Parameters* saved = nullptr;
};

// A white unlit shader for every object.
struct WhiteShader {
  Shader shader;
  std::unique_ptr<ShaderInstance> instance;
  WhiteShader() {
    shader.setVertexSource("void main() { gl_Position = ftransform(); }\n");
    shader.setFragmentSource("void main() { gl_FragColor = vec4(1.0); }\n");
    shader.link();
    instance = std::make_unique<ShaderInstance>(&shader);
  }
};

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

// The tree, the materials and their textures (listed for the texture pool, mipmapped), the lights,
// the meshes' boxes and the objects' animations, the golden frames of the arena show (a fault
// planted in each failed them); what they do not: a texture the script already lists keeps its
// options, objects of one mesh share its buffer and its draw list entry, the loader finds objects
// by id, the vertex data is the interleaved mesh, and a camera gets its animation.
TEST_F(SceneTest, WrittenSceneLoadsBackIntoTheSameTree) {
  auto* graphics = new ParameterGroup("graphics");
  graphics->addParameter("checker.png", "checker.png, GL_TEXTURE_2D, NO_MIPMAP");
  parameters.addGroup("graphics", graphics);
  SceneDescription description = sampleScene();
  QNVSceneLoader loader("s.bin");
  std::unique_ptr<QNVScene> scene = load(description, loader);
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(graphics->getParameter("checker.png"), "checker.png, GL_TEXTURE_2D, NO_MIPMAP");
  ASSERT_EQ(scene->countObjects(), 3);
  QNVObject* left = scene->getObjectByName("left");
  EXPECT_EQ(left->getVBO(), scene->getObjectByName("right")->getVBO());
  EXPECT_EQ(scene->getDrawList().begin()->second->countObjects(), 2);
  EXPECT_EQ(loader.getObjectByID(2), left);

  VBO* vbo = left->getVBO();
  const std::vector<float> expected = SceneFileReader::interleave(description.meshes[0]);
  ASSERT_EQ(vbo->getVertexCount(), 36);
  std::vector<float> stored(expected.size());
  vbo->bindBuffers();
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(stored.size() * sizeof(float)), stored.data());
  vbo->releaseBuffers();
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  EXPECT_EQ(stored, expected);

  QNVCamera* view = scene->GetCamera("view");
  ASSERT_NE(view, nullptr);
  ASSERT_NE(view->getAnimation(), nullptr);
  EXPECT_EQ(view->getAnimation()->getTranslationKeys().begin()->first, 0u);
}

TEST_F(SceneTest, LaterMeshOfOneIdAndMissingReferences) {
  SceneDescription description = sampleScene();
  SceneMesh later = sampleCube(7, "later");
  description.meshes.push_back(later);
  description.nodes.push_back(sampleNode(8, SCENE_NODE_MESH, -1, 99, "lost", Vector3f(), 5));
  description.nodes.push_back(sampleNode(9, SCENE_NODE_LIGHT, 0, 42, "nolight", Vector3f()));
  description.animations.push_back({SCENE_TARGET_LIGHT, 77, {0.0f}, {Vector3f()}, {Vector3f()}});
  QNVSceneLoader loader("s.bin");
  testing::internal::CaptureStdout();
  std::unique_ptr<QNVScene> scene = load(description, loader);
  const std::string printed = testing::internal::GetCapturedStdout();
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(scene->getObjectByName("left")->getVBO()->getName(), "later");
  EXPECT_TRUE(scene->getObjectByName("lost")->IsEmpty());
  EXPECT_EQ(printed,
            "ERROR : Cannot find mesh 99\nERROR : Cannot find light 42\n"
            "ERROR: Failed to fing light with id 77\n");
}

TEST_F(SceneTest, FilesOnDiskAndMissingFiles) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(SceneWriter::writeFiles(sampleScene(), dir.file("s.bin"), error)) << error;
  QNVSceneLoader loader(dir.file("s.bin"));
  std::unique_ptr<QNVScene> scene(loader.loadScene());
  ASSERT_NE(scene, nullptr) << loader.getErrorMessage();
  EXPECT_NE(scene->getObjectByName("left")->getAnimation(), nullptr);
  QNVSceneLoader missing(dir.file("none.bin"));
  EXPECT_EQ(missing.loadScene(), nullptr);
  EXPECT_EQ(missing.getErrorMessage(), "Object '" + dir.file("none.bin") + "' not found");
}

TEST_F(SceneTest, BothPathsDrawTheSamePictureAndDifferOnAnInvisibleParent) {
  QNVSceneLoader loader("s.bin");
  std::unique_ptr<QNVScene> scene = load(sampleScene(), loader);
  ASSERT_NE(scene, nullptr);
  WhiteShader white_;
  scene->ApplyShaderInstance(white_.instance.get());
  sceneView();
  struct Path {
    const char* name;
    bool instanced;
    bool parentVisible;
    Rgba cube;
  } paths[] = {{"hierarchical", false, true, white}, {"instanced", true, true, white},
               {"hierarchical, hidden parent", false, false, black}, {"instanced, hidden parent", true, false, white}};
  for (const Path& p : paths) {
    SCOPED_TRACE(p.name);
    scene->getRoot(0)->setVisible(p.parentVisible, false);
    clearScreen();
    if (p.instanced) {
      scene->calcGlobalData(0.0f);
      scene->drawInstanced();
    } else {
      scene->draw(0.0f, false);
    }
    // The animated "left" cube sits at its first key (1,0,0) under the pivot at (0,2,0).
    EXPECT_PRED3(near, at(1.0f, 2.0f), p.cube, 2);
    EXPECT_PRED3(near, at(-1.0f, 2.0f), p.cube, 2);
    EXPECT_PRED3(near, at(0.0f, 2.0f), black, 2);
    EXPECT_PRED3(near, at(1.0f, -2.0f), black, 2);
  }
}

TEST_F(SceneTest, MeshWithoutShaderDrawsItsRedBox) {
  QNVSceneLoader loader("s.bin");
  std::unique_ptr<QNVScene> scene = load(sampleScene(), loader);
  ASSERT_NE(scene, nullptr);
  sceneView();
  clearScreen();
  scene->draw(0.0f, false);
  EXPECT_TRUE(redNear(1.5f, 2.0f));
  EXPECT_TRUE(redNear(0.5f, 2.0f));
  EXPECT_PRED3(near, at(1.0f, 2.0f), black, 2);
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(SceneTest, LightsFromTheirMatricesAndAtMostFour) {
  QNVScene scene;
  for (int i = 0; i < 5; ++i) {
    auto* light = new QNVLight();
    scene.addLight("light" + std::to_string(i), light);
  }
  testing::internal::CaptureStdout();
  scene.enableLights();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Too many light sources\n");
  GLfloat position[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, position);
  EXPECT_EQ(Vector4f(position[0], position[1], position[2], position[3]), Vector4f(0, 1, 0, 0));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT4));
  scene.disableLights();
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}
