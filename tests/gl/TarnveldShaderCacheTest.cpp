// The production's shader cache on fixture scenes that hold the names it looks for: after init()
// the instances no golden frame tells apart sit on the objects they are meant for (the second
// tank, the meters of each side, the master droid's glow), the balloon is hidden with its parts
// and the crowd sprite repeats. Every other placement, a fault planted in it showed in a golden
// frame of the arena.
#include <GL/glew.h>

#include <string>
#include <vector>

#include "demosys/render/Texture.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "production/TarnveldShaderCache.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/SceneEffectStage.h"
#include "tests/support/SceneSamples.h"

namespace {

struct Part {
  const char* name;
  const char* parent;  // "" for a root
};

// One cube per part.
SceneDescription fixture(const std::vector<Part>& parts) {
  SceneDescription scene;
  scene.meshes.push_back(sampleCube(1, "cube"));
  for (size_t i = 0; i < parts.size(); ++i) {
    int parent = -1;
    for (size_t k = 0; k < i; ++k) parent = std::string(parts[k].name) == parts[i].parent ? 10 + static_cast<int>(k) : parent;
    scene.nodes.push_back(sampleNode(10 + static_cast<int>(i), SCENE_NODE_MESH, parent, 1, parts[i].name, Vector3f()));
  }
  return scene;
}

using TarnveldShaderCacheTest = GLTestFixture;

TEST_F(TarnveldShaderCacheTest, InstancesNoFrameTellsApartSitOnTheirObjects) {
  EffectTestBench bench;
  SceneEffectStage stage(bench);
  for (const char* key : {"light_directional", "light_directional_fog", "texture", "light_textured_directional", "crowd",
                          "color", "color_pattern", "volmeter", "texturetrans", "texturecolor", "scale_y", "screen"}) {
    bench.addShader(key, "void main() { gl_FragColor = vec4(1.0); }");
  }
  Texture* sprite = bench.addSolidTexture("sprite", 9, 9, 9);
  QNVScene* arena = stage.addScene("arena", fixture({{"TankBody2", ""}, {"VolumMeterL2", ""}, {"VolumMeterR1", ""},
                                                     {"Ballong", ""}, {"Fins", "Ballong"}}));
  QNVScene* master = stage.addScene("master_droid", fixture({{"GlowingParts", ""}}));
  ASSERT_TRUE(arena != nullptr && master != nullptr);
  TarnveldShaderCache cache;
  cache.init();
  const struct {
    QNVScene* scene;
    const char* object;
    const char* instance;
  } placed[] = {{arena, "TankBody2", "light_texture_shader_instance"}, {arena, "VolumMeterL2", "volumenter_instance_left"},
                {arena, "VolumMeterR1", "volumenter_instance_right"},  {master, "GlowingParts", "red_glow_instance"}};
  for (const auto& p : placed) {
    ShaderInstance* instance = cache.getShaderInstance(p.instance);
    EXPECT_NE(instance, nullptr) << p.instance;
    EXPECT_EQ(p.scene->getObjectByName(p.object)->getShaderInstance(), instance) << p.object << " wants " << p.instance;
  }
  EXPECT_FALSE(arena->getObjectByName("Ballong")->isVisible());
  EXPECT_FALSE(arena->getObjectByName("Fins")->isVisible()) << "the balloon is hidden with its parts";
  GLint wrap = 0;
  sprite->bind();
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
  sprite->release();
  EXPECT_EQ(wrap, GL_REPEAT);
}

// A shader the pool lacks leaves its instance out and the objects with what they had.
TEST_F(TarnveldShaderCacheTest, MissingShadersLeaveInstancesOut) {
  EffectTestBench bench;
  SceneEffectStage stage(bench);
  QNVScene* master = stage.addScene("master_droid", fixture({{"GlowingParts", ""}}));
  ASSERT_NE(master, nullptr);
  TarnveldShaderCache cache;
  cache.init();
  EXPECT_EQ(cache.getShaderInstance("red_glow_instance"), nullptr);
  EXPECT_EQ(master->getObjectByName("GlowingParts")->getShaderInstance(), nullptr);
}

}  // namespace
