// The head-up display: the meters' rise-and-fall rule and their geometry, the levels taken from
// the spectrum, the ruler's ticks and scroll wrap, the crosshair's bounce, and one frame of the
// whole display over a known spectrum against its reference picture.
#include <GL/glew.h>

#include <vector>

#include "demosys/render/FrameBufferObject.h"
#include "production/effects/Crosshair.h"
#include "production/effects/HUDEffect.h"
#include "production/effects/HUDVolumeMeter.h"
#include "production/effects/HUDVolumeMeterCircle.h"
#include "production/effects/Ruler.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/ReferenceFrame.h"
#include "tests/gl/SceneEffectStage.h"

namespace {

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
