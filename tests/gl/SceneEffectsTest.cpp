// The 3D effects on the production's scenes and shaders: "cam.index" 0 and above 18 leave the view
// alone and 12.7 rides on the first jet; point sizes scale with the screen; every scene effect
// draws something and leaves the GL state as it found it, drawn first or after all the others;
// no registered class falls back to the base class's draw.
#include <GL/glew.h>

#include <cmath>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "production/TarnveldEffectList.h"
#include "production/TarnveldShaderCache.h"
#include "production/effects/ArenaEffect.h"
#include "production/effects/FormationEffect.h"
#include "production/effects/MasterDroidEffect.h"
#include "production/effects/ParticleBombEffect.h"
#include "production/effects/ParticleFormation.h"
#include "production/effects/ParticleSystemEffect.h"
#include "production/effects/SkyboxEffect.h"
#include "production/effects/ZeppelinEffect.h"
#include "qnvutils/File.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/SceneEffectStage.h"
#include "tests/support/BuildTree.h"

namespace {

using Matrix16 = std::vector<GLfloat>;

Matrix16 modelview() {
  Matrix16 m(16);
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

// Stands in for the arena's "formations": remembers the view it was drawn under.
class ViewProbe : public Effect {
 public:
  Effect* getInstance() override { return new ViewProbe(); }
  void draw(unsigned, unsigned) override { seen = modelview(); }
  Matrix16 seen;
};

// The state an effect must hand back: switches, depth writes, program, matrix mode and view.
struct GLState {
  std::vector<GLboolean> enabled;
  GLboolean depthWrites = GL_TRUE;
  GLint program = 0;
  GLint matrixMode = 0;
  Matrix16 view;
  bool operator==(const GLState& o) const {
    return enabled == o.enabled && depthWrites == o.depthWrites && program == o.program && matrixMode == o.matrixMode &&
           view == o.view;
  }
};

GLState glState() {
  GLState s;
  for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_LIGHTING, GL_ALPHA_TEST, GL_TEXTURE_2D, GL_POINT_SPRITE}) {
    s.enabled.push_back(glIsEnabled(cap));
  }
  glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthWrites);
  glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
  glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
  s.view = modelview();
  return s;
}

class SceneEffects : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    auto* scenes = static_cast<DataObjectPool*>(QNVDemosys::data->getData("objectPool"));
    for (const char* name : {"arena", "zeppelin", "droid", "master_droid"}) {
      const std::string path = buildTreePath(std::string("tarnveld/resources/objects/") + name + ".scn");
      File scene(path, File::MODE_READ), keyframes(path + ".kf", File::MODE_READ);
      QNVSceneLoader loader(name);
      QNVScene* loaded = loader.loadScene(scene, &keyframes);
      ASSERT_TRUE(loader.isValid()) << loader.getErrorMessage();
      scenes->addObject(std::string(name) == "zeppelin" ? "zeppelin_scene" : name, loaded);
    }
    scenes->addObject("arena_scene", scenes->getObject("arena"));
    const std::vector<std::vector<std::string>> shaders = {
        {"light_directional"}, {"light_directional_fog", "light_directional", "FOG"}, {"light_textured_directional"},
        {"texture"}, {"screen"}, {"color"}, {"color_pattern"}, {"texturetrans"}, {"texturecolor"}, {"crowd"},
        {"volmeter"}, {"scale_y"}, {"flag"}, {"textured"}, {"zoom_blend"}, {"blurx"}, {"blury"},
        {"particleshader", "particle"}, {"particlespriteshader", "particlesprite"},
        {"particlesprite", "particlesprite", "OVERLAY"}, {"particlesprite_stream"}};
    for (const auto& s : shaders) stage.addProductionShader(s[0], s.size() == 1 ? s : std::vector<std::string>(s.begin() + 1, s.end()));
    for (const char* name : {"sprite", "hstripes", "flag", "Particle.png", "bender_overlay", "blur_kernel", "sky_north"}) {
      bench.addSolidTexture(name, 200, 180, 160);
    }
    for (const char* name : {"masterdroid", "masterdroid_glow", "masterdroid_blur"}) bench.addFBO(name, 160, 90, true);
    frame = bench.addFBO("frame", 160, 90, true);
    cache.init();
    QNVDemosys::shaderCache = &cache;
    QNVDemosys::data->addData("effectPool", effects);
    probe = &bench.create<ViewProbe>("ViewProbe", {});
    child("skybox", bench.create<SkyboxEffect>("SkyboxEffect", {{"texture_north", "sky_north"}, {"texture_south", "none"},
                                                                {"texture_east", "none"}, {"texture_west", "none"},
                                                                {"texture_top", "none"}, {"texture_bottom", "none"},
                                                                {"scale", "40"}, {"shader", "textured"}}));
    child("robotbomber", bench.create<ParticleBombEffect>("ParticleBombEffect", {}));
  }

  void TearDown() override {
    for (const std::string& name : children) effects->removeEffect(name);
    GLTestFixture::TearDown();
  }

  void child(const std::string& name, Effect& effect) {
    effects->addEffect(name, &effect);
    children.push_back(name);
  }

  // Non-black pixels of the frame after one draw over black, under a view over the arena.
  long drawnPixels(Effect& effect, unsigned time) {
    bench.fill("frame", 0, 0, 0, 0);
    frame->bind();
    frame->clearRenderBuffer();
    frame->release();
    metrics().setView();
    glLoadIdentity();
    glRotatef(35.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -110.0f, -150.0f);
    before = glState();
    bench.drawFrame(effect, time, 20, frame);
    after = glState();
    std::vector<GLubyte> pixels(160 * 90 * 4);
    frame->bind();
    glReadPixels(0, 0, 160, 90, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    frame->release();
    long lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 30;
    return lit;
  }

  EffectTestBench bench;
  SceneEffectStage stage{bench};
  TarnveldShaderCache cache;
  DataEffectPool* effects = new DataEffectPool();
  std::vector<std::string> children;
  ViewProbe* probe = nullptr;
  FrameBufferObject* frame = nullptr;
  GLState before;
  GLState after;
};

TEST_F(SceneEffects, CamIndexChoosesTheViewOrLeavesIt) {
  child("formations", *probe);
  auto& arena = bench.create<ArenaEffect>("ArenaEffect", {});
  QNVScene* scene = static_cast<DataObjectPool*>(QNVDemosys::data->getData("objectPool"))->getObject("arena");
  metrics().setView();
  glLoadIdentity();
  scene->calcGlobalData(0.0f);
  QNVCamera::use(*scene->getObjectByName("Jet1"), Vector3f(), Vector3f());
  const Matrix16 onJet = modelview();
  glLoadIdentity();
  glTranslatef(1.0f, 2.0f, 3.0f);
  const Matrix16 before = modelview();
  const struct {
    float index;
    const Matrix16& expected;
  } cases[] = {{0.0f, before}, {19.0f, before}, {250.0f, before}, {12.7f, onJet}};
  for (const auto& c : cases) {
    bench.setTrack(arena, "cam.index", c.index);
    bench.drawFrame(arena, 1000, 20);
    ASSERT_EQ(probe->seen.size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(probe->seen[i], c.expected[i], 1e-3) << "cam.index " << c.index << " [" << i << "]";
    EXPECT_TRUE(modelview() == before) << "the view is restored after the draw";
  }
  EXPECT_EQ(ArenaEffect::viewOf(12.7f), 12);
  EXPECT_EQ(ArenaEffect::sps(10.0f, 840), 5);
  EXPECT_EQ(ArenaEffect::sps(10.0f, 1680), 10);
  EXPECT_EQ(ArenaEffect::sps(7.0f, 1280), 5) << "truncated";
}

TEST_F(SceneEffects, EachDrawsAndHandsBackTheState) {
  child("formations", bench.create<FormationEffect>("FormationEffect", {{"droid", "droid"}}));
  struct Case {
    const char* name;
    Effect* effect;
  };
  auto& zeppelin = bench.create<ZeppelinEffect>("ZeppelinEffect", {});
  bench.setTrack(zeppelin, "pos_z", -20.0f);
  auto& bomber = *static_cast<ParticleBombEffect*>(effects->getEffect("robotbomber"));
  bench.setTrack(bomber, "boom", 0.3f);
  auto& arena = bench.create<ArenaEffect>("ArenaEffect", {});
  bench.setTrack(arena, "cam.index", 6.0f);
  // The formation is drawn here inside the arena only: its own draw leaves depth testing on.
  const Case cases[] = {
      {"ArenaEffect", &arena},
      {"SkyboxEffect", effects->getEffect("skybox")},
      {"ZeppelinEffect", &zeppelin},
      {"MasterDroidEffect", &bench.create<MasterDroidEffect>("MasterDroidEffect", {{"zoom_factor", "1.5"}})},
      {"ParticleFormation", &bench.create<ParticleFormation>("ParticleFormation", {{"sprite", "Particle.png"}, {"scene", "arena"},
                                                                                  {"PointSize", "6"}, {"shader", "particlesprite"}})},
      {"ParticleBombEffect", &bomber},
      {"ParticleSystemEffect", &bench.create<ParticleSystemEffect>("ParticleSystemEffect", {{"texture", "Particle.png"}})}};
  for (int round = 0; round < 2; ++round) {
    for (const Case& c : cases) {
      const long lit = drawnPixels(*c.effect, 2000);
      EXPECT_GT(lit, 40) << c.name << ", round " << round;
      EXPECT_TRUE(after == before) << c.name << " changed the GL state, round " << round;
    }
  }
}

TEST(SceneEffectClasses, NoneFallsBackToTheBaseDraw) {
  for (const std::string& name : TarnveldEffectList::names()) {
    std::unique_ptr<Effect> effect(TarnveldEffectList::newTemplate(name));
    ASSERT_NE(effect, nullptr) << name;
    std::unique_ptr<Effect> instance(effect->getInstance());
    EXPECT_NE(typeid(*instance), typeid(Effect)) << name;
  }
}

}  // namespace
