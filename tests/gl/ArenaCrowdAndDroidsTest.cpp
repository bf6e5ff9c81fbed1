// The arena's crowd, meters and droids: the crowd's intensity map (the 50 ms gate, mode 4's lines,
// mode 2's spectrum picture mirrored about its middle, full light), the meters (jumping to their
// level, never below 1 by sinking, shown only while active), and the droid formations (224 clones
// of the scene's "Droid" with their parts, the source hidden with its parts, the turn by "rotate"
// undone, the formation numbers the tracks give read as the controller takes them). Where the
// clones stand in each formation and the blend by the fraction of "duration", the golden frames of
// the arena show.
#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Texture.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "production/effects/CrowdShader.h"
#include "production/effects/CrowdVUEffect.h"
#include "production/effects/FormationEffect.h"
#include "production/effects/ScaleVolumMeterShader.h"
#include "production/effects/VolumMetersEffect.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/SceneEffectStage.h"
#include "tests/support/SceneSamples.h"

namespace {

class CrowdVUEffectTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    buffer = bench.addFBO("crowd_buffer", 64, 16);
    stage.addProductionShader("crowd_vu");
    stage.addProductionShader("tablefx");
    bench.addSolidTexture("tabletex", 255, 255, 255);
    Texture* sprite = bench.addSolidTexture("sprite", 200, 200, 200);
    crowd = new CrowdShader(stage.addProductionShader("crowd"), 256, 24, sprite, sprite);
    stage.addShaderInstance("crowd_shader_instance", crowd);
    effect = &bench.create<CrowdVUEffect>("CrowdVUEffect", {});
  }

  void update(float mode, unsigned time) {
    bench.setTrack(*effect, "Type", mode);
    bench.drawFrame(*effect, time, 20);
  }

  long litBytes() const {
    const std::vector<uint8_t>& bytes = effect->getIntensityBytes();
    return std::count(bytes.begin(), bytes.end(), 255);
  }

  EffectTestBench bench;
  SceneEffectStage stage{bench};
  FrameBufferObject* buffer = nullptr;
  CrowdShader* crowd = nullptr;
  CrowdVUEffect* effect = nullptr;
};

TEST_F(CrowdVUEffectTest, WorksAtMostEvery50Milliseconds) {
  update(5.0f, 50);
  EXPECT_EQ(litBytes(), 256 * 24 * 4);
  glDisable(GL_CULL_FACE);
  update(4.0f, 80);
  EXPECT_EQ(litBytes(), 256 * 24 * 4);
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << "nothing is touched between updates";
  update(4.0f, 10);
  EXPECT_EQ(litBytes(), 1024 + 23) << "a time before the last update (a seek back) updates";
  EXPECT_EQ(crowd->getIntensityTexture(), effect->getIntensityTexture());
}

// Line counters at 25 after 25 updates: row 25 mod 24 lit, and byte 25 of every row.
TEST_F(CrowdVUEffectTest, MovingLinesLightARowAndOneByteOfEveryRow) {
  for (unsigned k = 1; k <= 26; ++k) update(4.0f, 50 * k);
  const std::vector<uint8_t>& bytes = effect->getIntensityBytes();
  for (int row = 0; row < 24; ++row) {
    EXPECT_EQ(bytes[row * 1024 + 25], 255) << "row " << row;
    EXPECT_EQ(bytes[row * 1024 + 26], row == 1 ? 255 : 0) << "row " << row;
  }
  EXPECT_EQ(litBytes(), 1024 + 23);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

// A first loud frame sets every peak to 1; then band b plays at b / 63 of it.
TEST_F(CrowdVUEffectTest, TheSpectrumPictureMirrorsTheBandsAboutItsMiddle) {
  stage.timer().left.assign(64, 1.0f);
  update(2.0f, 50);
  for (int b = 0; b < 64; ++b) stage.timer().left[b] = static_cast<float>(b) / 63.0f;
  update(2.0f, 100);
  EXPECT_EQ(crowd->getIntensityTexture(), buffer->getColorBuffer());
  const std::vector<uint8_t>& vu = effect->getVUImage();
  for (int x = 0; x < 64; ++x) {
    const int band = x < 32 ? 63 - 2 * x : 2 * (x - 32);
    const int expected = static_cast<int>(static_cast<float>(band) / 63.0f * 32.0f);
    for (int y : {0, 63}) {
      EXPECT_EQ(vu[3 * (y * 64 + x)], expected) << x << ", " << y;
      EXPECT_EQ(vu[3 * (y * 64 + x) + 1], 0);
    }
  }
  auto litRows = [&](int x) {
    int rows = 0;
    for (int y = 0; y < 16; ++y) rows += readFBO(*buffer, x, y).r > 128 ? 1 : 0;
    return rows;
  };
  EXPECT_GE(litRows(1), 13) << "the loudest bands stand at the edges";
  EXPECT_LE(litRows(30), 1) << "the quietest in the middle";
  for (int x = 1; x < 32; x += 4) EXPECT_NEAR(litRows(x), litRows(63 - x), 1) << "column " << x;
}

class VolumMetersEffectTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    SceneDescription description;
    description.meshes.push_back(sampleCube(1, "bar"));
    description.nodes.push_back(sampleNode(1, SCENE_NODE_EMPTY, -1, 0, "Volumeters", Vector3f(0, 0, 0)));
    for (int k = 0; k < 3; ++k) {
      description.nodes.push_back(
          sampleNode(2 + k, SCENE_NODE_MESH, 1, 1, "V" + std::to_string(k), Vector3f(2.0f * k, 0, 0)));
    }
    arena = stage.addScene("arena", description);
    ASSERT_NE(arena, nullptr);
    Shader* scaleY = stage.addProductionShader("scale_y");
    for (int k = 0; k < 3; ++k) {
      auto* meter = new ScaleVolumMeterShader(scaleY);
      stage.addShaderInstance("scale_y_" + std::to_string(k), meter);
      arena->getObjectByName("V" + std::to_string(k))->setShaderInstance(meter);
    }
    meters = &bench.create<VolumMetersEffect>("VolumMetersEffect", {});
    bench.setTrack(*meters, "volsize", 4.0f);
  }

  std::vector<float> scalesAfter(const std::vector<float>& spectrum, unsigned frameDelta) {
    stage.timer().left = spectrum;
    meters->draw(1000, frameDelta);
    std::vector<float> scales;
    for (ScaleVolumMeterShader* meter : meters->getMeters()) scales.push_back(meter->getScale());
    return scales;
  }

  EffectTestBench bench;
  SceneEffectStage stage{bench};
  QNVScene* arena = nullptr;
  VolumMetersEffect* meters = nullptr;
};

TEST_F(VolumMetersEffectTest, MetersJumpAndSinkNoLowerThanOneShownOnlyWhileActive) {
  ASSERT_EQ(meters->getMeters().size(), 3u);
  QNVObject* v1 = arena->getObjectByName("V1");
  EXPECT_FALSE(arena->getObjectByName("Volumeters")->isVisible() || v1->isVisible());
  meters->predraw(1000);
  EXPECT_TRUE(v1->isVisible());
  meters->postdraw(1000);
  EXPECT_FALSE(v1->isVisible());
  // Which band each meter follows and how fast it sinks, the meters' golden frame shows; the
  // floor it sinks to, no frame does.
  EXPECT_EQ(scalesAfter(std::vector<float>(64, 1.0f), 20), (std::vector<float>{4.0f, 4.0f, 4.0f}));
  EXPECT_EQ(scalesAfter(std::vector<float>(64, 0.0f), 100), (std::vector<float>{1.0f, 1.0f, 1.0f}))
      << "100 ms worth would sink it to -1";
}

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
