// demosys scene info: the description of a scene SceneWriter wrote, and the loader's message for a
// damaged file.
#include <gtest/gtest.h>

#include "tests/support/SceneSamples.h"
#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

TEST(SceneInfo, DescribesEveryRecordAndTheTree) {
  TempTree tree;
  std::string error;
  ASSERT_TRUE(SceneWriter::writeFiles(sampleScene(), tree.path("s.bin"), error)) << error;
  const ToolRun run = ToolRun::of("scene info " + tree.path("s.bin"));
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out,
            "meshes 1\n"
            "  mesh 7 'cube': 36 tuples, 12 triangles, box (-0.5, -0.5, -0.5) to (0.5, 0.5, 0.5)\n"
            "textures 1\n"
            "  texture 3 'checker': checker.png\n"
            "materials 1\n"
            "  material 5 'paint': ambient (0.1, 0.2, 0.3), diffuse (0.4, 0.5, 0.6), texture 3\n"
            "lights 1\n"
            "  light 9 'sun' type 1 colour (1, 0.9, 0.8), 0 keys\n"
            "cameras 1\n"
            "  camera 4 'view' at (0, -8, 1), 2 keys\n"
            "objects 3\n"
            "  1 'pivot' parent -1, 0 keys\n"
            "    2 'left' parent 1, mesh 7, material 5, 3 keys\n"
            "    3 'right' parent 1, mesh 7, material 5, 0 keys\n");
}

TEST(SceneInfo, DamagedAndMissingFilesExitOne) {
  TempTree tree;
  SceneDescription scene = sampleScene();
  scene.meshes[0].indices.pop_back();
  std::string error;
  ASSERT_TRUE(SceneWriter::writeFiles(scene, tree.path("bad.bin"), error));
  const ToolRun bad = ToolRun::of("scene info " + tree.path("bad.bin"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "Object '" + tree.path("bad.bin") + "': mesh 'cube' has 107 indices, not a multiple of 3\n");
  const ToolRun missing = ToolRun::of("scene info " + tree.path("none.bin"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "Object '" + tree.path("none.bin") + "' not found\n");
}
