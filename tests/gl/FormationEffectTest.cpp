// The droid formations: 224 clones of the scene's "Droid" with their parts, the source hidden with
// its parts, the turn by "rotate" undone, and the formation numbers the tracks give read as the
// controller takes them. Where the clones stand in each formation and the blend by the fraction of
// "duration", the golden frames of the arena show; these are what no frame shows.
#include <GL/glew.h>

#include <string>

#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "production/effects/FormationEffect.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/SceneEffectStage.h"
#include "tests/support/SceneSamples.h"

namespace {

class FormationEffectTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    SceneDescription description;
    description.meshes.push_back(sampleCube(1, "hull"));
    description.nodes.push_back(sampleNode(10, SCENE_NODE_MESH, -1, 1, "Droid", Vector3f(0, 0, 0)));
    description.nodes.push_back(sampleNode(11, SCENE_NODE_MESH, 10, 1, "Visor", Vector3f(0, 1, 0)));
    scene = stage.addScene("droids", description);
    ASSERT_NE(scene, nullptr);
    formation = &bench.create<FormationEffect>("FormationEffect", {{"droid", "droids"}});
  }

  EffectTestBench bench;
  SceneEffectStage stage{bench};
  QNVScene* scene = nullptr;
  FormationEffect* formation = nullptr;
};

TEST_F(FormationEffectTest, Clones224DroidsHidesTheSourceAndUndoesItsTurn) {
  EXPECT_EQ(scene->countObjects(), 2 + 2 * 224);
  for (int droid : {0, 223}) {
    QNVObject* clone = formation->getClone(droid);
    EXPECT_EQ(clone->getName(), "clonedroid" + std::to_string(droid));
    ASSERT_EQ(clone->countChildren(), 1);
    EXPECT_TRUE(clone->isVisible() && clone->getChild(0)->isVisible());
  }
  EXPECT_FALSE(scene->getObjectByName("Droid")->isVisible());
  EXPECT_FALSE(scene->getObjectByName("Visor")->isVisible());
  bench.setTrack(*formation, "rotate", 30.0f);
  bench.drawFrame(*formation, 1000, 20);
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_FLOAT_EQ(modelview[0], 1.0f) << "the turn by \"rotate\" is undone";
}

// Fractions of a formation number count down to the formation; numbers past the last or below
// the first are the nearest one. x and z only: y bobs around the standing height.
TEST_F(FormationEffectTest, TrackValuesAreReadAsTheNearestFormation) {
  const struct {
    float from, to;
    float x, z;
  } cases[] = {{1.7f, 0.2f, 0.0f, -12.0f}, {9, -4, 28.0f, 15.0f}};
  for (const auto& c : cases) {
    bench.setTrack(*formation, "from", c.from);
    bench.setTrack(*formation, "to", c.to);
    bench.setTrack(*formation, "duration", 0.5f);
    bench.drawFrame(*formation, 1000, 20);
    const Vector3f at = formation->getClone(0)->getGlobalTranslation();
    EXPECT_NEAR(at.x(), c.x, 1e-3) << c.from << " to " << c.to;
    EXPECT_NEAR(at.z(), c.z, 1e-3) << c.from << " to " << c.to;
  }
}

}  // namespace
