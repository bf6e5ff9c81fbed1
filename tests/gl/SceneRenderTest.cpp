// `demosys scene render` on a stage written by SceneWriter: a green column with a yellow cap on top,
// a blue block, and a level camera that moves from the column to the block; PNGs read back.
#include <gtest/gtest.h>

#include <string>

#include "tests/gl/GLTestFixture.h"
#include "tests/gl/ScenePreviewRun.h"
#include "tests/support/SceneSamples.h"

namespace {

SceneMaterial colour(int id, const std::string& name, const Vector3f& diffuse) {
  return {id, name, Vector3f(0, 0, 0), diffuse, -1};
}

SceneDescription stage() {
  SceneDescription scene;
  scene.meshes.push_back(sampleCube(1, "cube"));
  scene.materials = {colour(1, "green", Vector3f(0, 1, 0)), colour(2, "yellow", Vector3f(1, 1, 0)),
                     colour(3, "blue", Vector3f(0, 0, 1))};
  // Positions in the engine's axes, y up.
  SceneNode column = sampleNode(1, SCENE_NODE_MESH, -1, 1, "column", Vector3f(3, 1.5f, 0), 1);
  column.matrix[5] = 3.0f;
  scene.nodes = {column, sampleNode(2, SCENE_NODE_MESH, -1, 1, "cap", Vector3f(3, 3.5f, 0), 2),
                 sampleNode(3, SCENE_NODE_MESH, -1, 1, "block", Vector3f(-3, 0.5f, 0), 3),
                 sampleNode(10, SCENE_NODE_CAMERA, -1, 0, "front", Vector3f(3, 1.5f, 10))};
  // Rotation x 90 is a level camera: the engine's view looks along -z, at the stage's front.
  SceneAnimation move{SCENE_TARGET_CAMERA, 10, {0.0f, 2.0f}, {Vector3f(3, 1.5f, 10), Vector3f(-3, 0.5f, 10)}, {}};
  move.rotations = {Vector3f(90, 0, 0), Vector3f(90, 0, 0)};
  scene.animations.push_back(move);
  return scene;
}

class SceneRender : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(SceneWriter::writeFiles(stage(), dir.file("stage.bin"), error)) << error;
  }
  ScenePreviewRun render(const std::string& options) {
    return ScenePreviewRun::of(dir.file("stage.bin"), dir.file("preview.png"), options);
  }
  TempDir dir;
};

TEST_F(SceneRender, FramedStageStandsUprightOnBothPaths) {
  for (const char* path : {"", "--instanced"}) {
    SCOPED_TRACE(path);
    ScenePreviewRun p = render(path);
    ASSERT_EQ(p.status, 0) << p.out;
    const Extent& column = p.hues[GREEN];
    ASSERT_GT(column.count, 500);
    EXPECT_GT(p.hues[BLUE].count, 100);
    EXPECT_EQ(p.hues[RED].count, 0);
    // Taller than wide, the cap above it, and the whole stage inside the picture.
    EXPECT_TRUE(column.upright());
    EXPECT_GT(p.hues[YELLOW].meanRow(), column.meanRow());
    EXPECT_TRUE(p.borderClear);
  }
}

TEST_F(SceneRender, StylesAndCameras) {
  const int solidGreen = render("").hues[GREEN].count;
  struct Case {  // red boxes drawn, any object colour seen, the hue at the centre
    const char* options;
    bool red, meshes;
    Hue centre;
  } cases[] = {{"--bbox", true, false, BACKGROUND},
               {"--bbox --instanced", true, false, BACKGROUND},
               {"--camera front --at 0", false, true, GREEN},
               {"--camera front --at 2000 --instanced", false, true, BLUE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    ScenePreviewRun p = render(c.options);
    ASSERT_EQ(p.status, 0) << p.out;
    EXPECT_EQ(p.hues[RED].count > 0, c.red);
    EXPECT_EQ(p.hues[GREEN].count + p.hues[YELLOW].count + p.hues[BLUE].count > 0, c.meshes);
    EXPECT_EQ(p.centre, c.centre);
  }
  const int wireGreen = render("--wireframe").hues[GREEN].count;
  EXPECT_TRUE(wireGreen > 0 && wireGreen < solidGreen / 2) << wireGreen << " of " << solidGreen;
}

TEST_F(SceneRender, UnknownCameraIsRefusedWithTheSceneCameras) {
  const std::string scene = dir.file("stage.bin");
  ToolRun run = ToolRun::of("scene render " + scene + " --out " + dir.file("p.png") + " --camera no");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("no camera 'no' in " + scene + " (cameras: 'front')"), std::string::npos) << run.out;
}

}  // namespace
