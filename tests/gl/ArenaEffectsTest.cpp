// The arena's crowd map, volume meters, droid formations and head-up display, where the golden
// frames of the arena do not look (the clones' places and the blend by "duration" they show).
#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Texture.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "production/effects/Crosshair.h"
#include "production/effects/CrowdShader.h"
#include "production/effects/CrowdVUEffect.h"
#include "production/effects/FormationEffect.h"
#include "production/effects/HUDEffect.h"
#include "production/effects/HUDVolumeMeter.h"
#include "production/effects/HUDVolumeMeterCircle.h"
#include "production/effects/Ruler.h"
#include "production/effects/ScaleVolumMeterShader.h"
#include "production/effects/VolumMetersEffect.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/ReferenceFrame.h"
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

const Vector4f red(1.0f, 0.0f, 0.0f, 0.75f);

using HUDInstrumentTest = GLTestFixture;

void expectCorner(const Vector3f& corner, float x, float y) {
  EXPECT_NEAR(corner.x(), x, 1e-6);
  EXPECT_NEAR(corner.y(), y, 1e-6);
  EXPECT_EQ(corner.z(), -1.0f);
}

TEST_F(HUDInstrumentTest, MetersJumpUpAtOnceAndFallOneSegmentPerDraw) {
  HUDVolumeMeter bar(0.0f, 0.0f, 1.6f, 0.05f, 64, red);
  HUDVolumeMeterCircle ring(0.0f, 0.0f, 0.12f, 48, 0.05f, red);
  const struct {
    int requested;
    int shown;
  } steps[] = {{0, 0}, {31, 31}, {0, 30}, {0, 29}, {29, 29}, {10, 28}, {30, 30}, {40, 40}, {-5, 39}};
  for (const auto& step : steps) {
    bar.draw(step.requested);
    ring.draw(step.requested);
    EXPECT_EQ(bar.getLevel(), step.shown) << "asked for " << step.requested;
    EXPECT_EQ(ring.getLevel(), step.shown) << "asked for " << step.requested;
  }
  expectCorner(bar.getQuads()[4 * 3 + 1], 0.1f, 0.0f);
  expectCorner(bar.getQuads()[4 * 3 + 2], 0.1f, -0.05f);
  expectCorner(ring.getQuads()[0], 0.0f, 0.12f);
  expectCorner(ring.getQuads()[4 * 12], 0.12f, 0.0f);  // a quarter of the way round, to the right
  expectCorner(ring.getQuads()[4 * 12 + 3], 0.07f, 0.0f);
}

TEST_F(HUDInstrumentTest, TheRulerHasALongTickEveryTenthAndWrapsAfterTenTicks) {
  Ruler ruler(0.0f, 0.0f, 0.05f, 3.0f, 150, 10, 0, red);
  ASSERT_EQ(ruler.getLines().size(), 2u + 2u * 160u);
  const struct {
    int tick;
    float end;
  } ticks[] = {{0, -0.025f}, {9, -0.025f}, {10, -0.05f}, {11, -0.025f}, {20, -0.05f}, {159, -0.025f}};
  for (const auto& t : ticks) {
    expectCorner(ruler.getLines()[2 + 2 * t.tick + 1], t.end, -0.02f * static_cast<float>(t.tick));
  }
  // Ten ticks of 0.02 are one long-tick period: reaching or passing it starts over at 0.
  const float scrolls[][2] = {{-0.1f, -0.1f}, {-0.1f, 0.0f}, {-0.15f, -0.15f}, {-0.1f, 0.0f}, {0.05f, 0.05f}};
  for (const auto& s : scrolls) {
    ruler.draw(s[0]);
    EXPECT_NEAR(ruler.getScroll(), s[1], 1e-6);
  }
}

TEST_F(HUDInstrumentTest, TheCrossBouncesAtTheGridsEdges) {
  Crosshair cross(0.0f, 0.0f, 0.24f, 0.24f, 10, red);
  // It starts at (0.048, 0.192), moving up x and down y.
  const float expected[][2] = {{0.148f, 0.092f}, {0.248f, -0.008f}, {0.148f, 0.092f}, {0.048f, 0.192f},
                               {-0.052f, 0.292f}, {0.048f, 0.192f}};
  for (const auto& at : expected) {
    cross.draw(0.1f, 0.1f);
    EXPECT_NEAR(cross.getCrossX(), at[0], 1e-5);
    EXPECT_NEAR(cross.getCrossY(), at[1], 1e-5);
  }
}

class HUDEffectTest : public GLTestFixture {
 protected:
  EffectTestBench bench;
  SceneEffectStage stage{bench};
};

// Left: loud low bands, quiet high ones; right the other way round.
TEST_F(HUDEffectTest, DrawsTheInstrumentsOverThePicture) {
  for (int i = 0; i < 64; ++i) {
    stage.timer().left.push_back(i < 32 ? 0.02f : 0.00005f);
    stage.timer().right.push_back(i < 32 ? 0.004f : 0.0008f);
  }
  FrameBufferObject* target = bench.addFBO("target", 320, 180);
  bench.fill("target", 0.0f, 0.1f, 0.2f);
  HUDEffect& hud = bench.create<HUDEffect>("HUDEffect", {});
  for (int frame = 0; frame < 3; ++frame) bench.drawFrame(hud, 1000 + 20 * frame, 20, target);
  EXPECT_EQ(hud.getBar(0).getLevel(), 0);
  EXPECT_EQ(hud.getBar(1).getLevel(), 7);
  EXPECT_EQ(hud.getRing(0).getLevel(), 9);
  EXPECT_EQ(hud.getRing(1).getLevel(), 1);
  EXPECT_EQ(compareWithReference(*target, "hud"), "");
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  const std::vector<float> loud(64, 1.0f), negative(64, -1.0f);
  EXPECT_EQ(HUDEffect::lowLevel(loud.data()) * 100 + HUDEffect::highLevel(loud.data()), 2331) << "clamped";
  EXPECT_EQ(HUDEffect::lowLevel(negative.data()) + HUDEffect::highLevel(negative.data()), 0);
}

}  // namespace
