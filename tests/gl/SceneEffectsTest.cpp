// The 3D effects on the production's scenes and shaders: the camera choice, point sizes, and the GL
// state each hands back, drawn first or after all the others; and the cloth flags where the golden
// frames of the flags and the gate do not look (the normals and tip that follow the wave, the flight
// past the waving flags).
#include <GL/glew.h>

#include <cmath>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/VBODynamic.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVMesh.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "production/TarnveldEffectList.h"
#include "production/TarnveldShaderCache.h"
#include "production/effects/ArenaEffect.h"
#include "production/effects/Flag.h"
#include "production/effects/FlagEffect.h"
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
#include "tests/gl/ReferenceFrame.h"
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

using FlagTest = GLTestFixture;

// The normals and the cords' tip follow the waved positions in the buffer, not the rest plane.
TEST_F(FlagTest, WavingRefreshesTheFaceNormalsAndTheTip) {
  Flag flag(1.0f, 0.5f, 64, 64);
  flag.wave(7.25f);
  const float* waved = flag.getVertexBuffer().openVertexBuffer(GL_READ_ONLY);
  ASSERT_NE(waved, nullptr);
  EXPECT_NE(waved[3 * 4095 + 2], -1.0f) << "the free edge waves";
  EXPECT_EQ(flag.getTip().z(), waved[3 * 4095 + 2]) << "the cords tie to the waved cloth";
  flag.getVertexBuffer().closeVertexBuffer();
  const Vector3f& normal = flag.getMesh().getFaceNormalPointer()[0];
  EXPECT_NEAR(normal.x() * normal.x() + normal.y() * normal.y() + normal.z() * normal.z(), 1.0, 1e-5);
  EXPECT_GT(std::fabs(normal.x()) + std::fabs(normal.y()), 1e-3) << "the rest plane's normal is along z";
}

// A camera path straight towards the flags and a logo of two colours in a 2 x 2 checker.
class FlagEffectTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    stage.addCameraPath("flaganim", "QNVANI1\nkeyframes 4\npos 1 0 24\nrot 0 0\npos 1 0 16\nrot 0 0\n"
                                    "pos 1 0 10\nrot 0 0\npos 1 0 6\nrot 0 0\n");
    bench.addTexture("qnvlogo", 2, 2, {240, 200, 40, 255, 30, 60, 40, 255, 30, 60, 40, 255, 240, 200, 40, 255});
    stage.addProductionShader("flag");
  }
  EffectTestBench bench;
  SceneEffectStage stage{bench};
};

TEST_F(FlagEffectTest, FliesPastTheWavingFlags) {
  FrameBufferObject* target = bench.addFBO("target", 320, 180, true);
  FlagEffect& flags = bench.create<FlagEffect>("FlagEffect", {{"qnvlogo", "qnvlogo"}, {"flagshader", "flag"}});
  bench.setTrack(flags, "cam.anim", 0.5f);
  bench.setTrack(flags, "flag.wave", 12.0f);
  metrics().setView();
  target->bind();
  glClearColor(0.1f, 0.1f, 0.3f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  target->release();
  bench.drawFrame(flags, 4000, 20, target);
  EXPECT_EQ(compareWithReference(*target, "flag_wave"), "");
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

}  // namespace
