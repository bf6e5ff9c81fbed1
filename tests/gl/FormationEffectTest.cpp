// The droid formations: 224 clones of the scene's "Droid" with their parts, the source hidden; the
// four rings of 68, 60, 52 and 44, the two blocks; and the blend the tracks choose, as the clones'
// global positions after a draw.
#include <GL/glew.h>

#include <cmath>
#include <map>

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

  // Where a clone stands after one frame blending the formations as the tracks say.
  Vector3f standingAfter(float from, float to, float duration, int droid) {
    bench.setTrack(*formation, "from", from);
    bench.setTrack(*formation, "to", to);
    bench.setTrack(*formation, "duration", duration);
    bench.drawFrame(*formation, 1000, 20);
    return formation->getClone(droid)->getGlobalTranslation();
  }

  EffectTestBench bench;
  SceneEffectStage stage{bench};
  QNVScene* scene = nullptr;
  FormationEffect* formation = nullptr;
};

TEST_F(FormationEffectTest, Clones224DroidsWithTheirPartsAndHidesTheSource) {
  EXPECT_EQ(scene->countObjects(), 2 + 2 * 224);
  const struct {
    int droid;
    const char* name;
  } clones[] = {{0, "clonedroid0"}, {17, "clonedroid17"}, {223, "clonedroid223"}};
  for (const auto& c : clones) {
    QNVObject* clone = formation->getClone(c.droid);
    EXPECT_EQ(clone->getName(), c.name);
    ASSERT_EQ(clone->countChildren(), 1);
    EXPECT_EQ(clone->getChild(0)->getName(), std::string(c.name) + "_c0");
    EXPECT_TRUE(clone->isVisible() && clone->getChild(0)->isVisible());
  }
  EXPECT_FALSE(scene->getObjectByName("Droid")->isVisible());
  EXPECT_FALSE(scene->getObjectByName("Visor")->isVisible());
}

TEST_F(FormationEffectTest, StoresFourRingsAndTwoBlocks) {
  RobotFormation& rings = formation->getController().getFormation(2);
  std::map<long, int> perRadius;
  for (int i = 0; i < 224; ++i) {
    const Vector3f& p = rings.getPosition(i);
    ++perRadius[std::lround(std::hypot(p.x(), p.z()) * 100.0)];
  }
  EXPECT_EQ(perRadius, (std::map<long, int>{{3225, 44}, {3550, 52}, {3875, 60}, {4200, 68}}));
  EXPECT_NEAR(rings.getPosition(17).x(), 42.0f, 1e-3) << "a quarter of the way round ring 0";
  EXPECT_FLOAT_EQ(rings.getRotation(0).y(), 540.0f);
  EXPECT_NEAR(rings.getRotation(1).y(), 540.0f - 360.0f / 68.0f, 1e-4);
  EXPECT_NEAR(rings.getRotation(68).y(), 540.0f, 1e-4) << "each ring counts its own droids";
  const struct {
    int formation;
    int droid;
    Vector3f position;
  } blocks[] = {{0, 29, {60, 3.5f, -8}}, {0, 223, {164, 3.5f, 16}}, {1, 29, {-52, 3.5f, -8}}};
  for (const auto& b : blocks) {
    RobotFormation& block = formation->getController().getFormation(b.formation);
    for (int axis = 0; axis < 3; ++axis) EXPECT_FLOAT_EQ(block.getPosition(b.droid)[axis], b.position[axis]);
    EXPECT_FLOAT_EQ(block.getRotation(b.droid).y(), 90.0f);
  }
}

// x and z only: y bobs by up to 0.5 around the standing height.
TEST_F(FormationEffectTest, BlendsByTheFractionOfDurationAndBobs) {
  bench.setTrack(*formation, "rotate", 30.0f);
  const Vector3f ring17 = formation->getController().getFormation(2).getPosition(17);
  const struct {
    float from, to, duration;
    int droid;
    float x, z;
  } cases[] = {{0, 1, 2.25f, 29, 32.0f, -8.0f},         {0, 1, 0.0f, 0, 56.0f, -12.0f},
               {1.7f, 0.2f, 0.5f, 0, 0.0f, -12.0f},    {2, 2, 0.7f, 17, ring17.x(), ring17.z()},
               {1, 1, 5.5f, 29, -52.0f, -8.0f},       {9, -4, 0.5f, 0, 28.0f, 15.0f}};
  for (const auto& c : cases) {
    const Vector3f at = standingAfter(c.from, c.to, c.duration, c.droid);
    EXPECT_NEAR(at.x(), c.x, 1e-3) << c.from << " to " << c.to << " at " << c.duration;
    EXPECT_NEAR(at.z(), c.z, 1e-3) << c.from << " to " << c.to << " at " << c.duration;
    EXPECT_NEAR(at.y(), 3.5f, 0.5f);
    EXPECT_EQ(formation->getClone(c.droid)->getChild(0)->getGlobalTranslation().x(), at.x());
  }
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_FLOAT_EQ(modelview[0], 1.0f) << "the turn by \"rotate\" is undone";
}

}  // namespace
