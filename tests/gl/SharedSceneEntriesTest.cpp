// Scene entries of the demo script that name the same file share one loaded scene (what one
// effect changes on "arena" shows in what another draws as "arena_scene"); other files load on
// their own, and disposing of the pools deletes a shared scene once.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/resources/ResourceLoader.h"
#include "qnvutils/File.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/SceneSamples.h"
#include "tests/support/TempTree.h"

namespace {

class SharedSceneEntries : public GLTestFixture {};

TEST_F(SharedSceneEntries, EntriesNamingOneFileShareItsScene) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  std::string error;
  std::filesystem::create_directories(tree.path("resources/objects"));
  SceneDescription untextured = sampleScene();  // no image to load
  untextured.textures.clear();
  ASSERT_TRUE(SceneWriter::writeFiles(untextured, tree.path("resources/objects/stage.scn"), error)) << error;
  ASSERT_TRUE(SceneWriter::writeFiles(untextured, tree.path("resources/objects/other.scn"), error)) << error;
  tree.write("resources/scripts/demo.txt",
             "{QNVDS1}\npaths {\n  definition = " DEMOSYS_SOURCE_DIR "/resources/definitions/;\n  object = resources/objects/;\n}\n"
             "objects {\n  arena = stage.scn;\n  arena_scene = stage.scn;\n  droid = other.scn;\n}\n");
  tree.enter();
  QNVIO::init(QNVIO::QNV_RESOURCES_FLAT);
  ResourceLoader loader("resources/scripts/demo.txt");
  ASSERT_TRUE(loader.createDataPools() && loader.parseConfig()) << loader.getErrorMessage();
  ASSERT_TRUE(loader.loadDataFiles()) << loader.getErrorMessage();
  DataObjectPool& pool = *QNVDemosys::objectPool;
  ASSERT_NE(pool.getObject("arena"), nullptr);
  EXPECT_EQ(pool.getObject("arena"), pool.getObject("arena_scene"));
  EXPECT_NE(pool.getObject("arena"), pool.getObject("droid"));
  EXPECT_NE(pool.getObject("droid"), nullptr);
  loader.dispose();
  QNVIO::destroy();
}

}  // namespace
