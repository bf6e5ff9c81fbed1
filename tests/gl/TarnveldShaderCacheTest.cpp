// The production's shader cache on fixture scenes that hold the names it looks for: after init()
// every instance it makes exists and sits on the objects and materials it names (the hidden
// balloon with its parts, one scale per numbered meter, textured objects under the textured
// light), and the display's and the crowd sprite's textures repeat.
#include <GL/glew.h>

#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/ShaderCache.h"
#include "demosys/render/Texture.h"
#include "demosys/scene/QNVMaterial.h"
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
  const char* parent;    // "" for a root
  const char* material;  // "" for none
};

// One cube per part; materials named "Tex..." carry a texture.
SceneDescription fixture(const std::vector<Part>& parts) {
  SceneDescription scene;
  scene.meshes.push_back(sampleCube(1, "cube"));
  scene.textures.push_back({2, "picture", "picture.png"});
  std::vector<std::string> materials;
  for (size_t i = 0; i < parts.size(); ++i) {
    const Part& p = parts[i];
    int parent = -1, material = -1;
    for (size_t k = 0; k < i; ++k) parent = std::string(parts[k].name) == p.parent ? 10 + static_cast<int>(k) : parent;
    for (size_t k = 0; k < materials.size(); ++k) material = materials[k] == p.material ? 100 + static_cast<int>(k) : material;
    if (*p.material != '\0' && material < 0) {
      material = 100 + static_cast<int>(materials.size());
      materials.push_back(p.material);
      const bool textured = std::string(p.material).rfind("Tex", 0) == 0;
      scene.materials.push_back({material, p.material, Vector3f(1, 1, 1), Vector3f(1, 1, 1), textured ? 2 : -1});
    }
    scene.nodes.push_back(sampleNode(10 + static_cast<int>(i), SCENE_NODE_MESH, parent, 1, p.name, Vector3f(), material));
  }
  return scene;
}

class TarnveldShaderCacheTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    for (const char* key : {"light_directional", "light_directional_fog", "texture", "light_textured_directional", "crowd",
                            "color", "color_pattern", "volmeter", "texturetrans", "texturecolor", "scale_y", "screen"}) {
      bench.addShader(key, "void main() { gl_FragColor = vec4(1.0); }");
    }
    sprite = bench.addSolidTexture("sprite", 9, 9, 9);
    bench.addSolidTexture("hstripes", 9, 9, 9);
    picture = bench.addSolidTexture("picture.png", 9, 9, 9);
    std::vector<Part> arena = {{"Floor", "", "Concrete"}, {"Poster", "", "TexPoster"}, {"Screen", "", "TexScreen"},
                               {"Banner", "", "TexBanner"}, {"Hoverscreen", "", "TexHover"}, {"Ballong", "", "TexSkin"},
                               {"Fins", "Ballong", "Paint"}, {"Display", "Ballong", "TexLed"},
                               {"GlowStrip", "", "RedGlow"}, {"Track", "", "TankTracks"}, {"Shield", "", "ShieldSurface"},
                               {"Rim", "", "Wheel"}, {"Chest", "", "TorsoFrontSurface"}, {"Tread", "", "Tyre"}};
    for (const char* name : {"TankBody", "TankTurret", "TankBarrel", "TankBody2", "TankTurret2", "TankBarrel2",
                             "TribuneBottomLeft", "TribuneBottomRight", "TribuneMiddleLeft", "TribuneMiddleRight",
                             "TribuneTopLeft", "TribuneTopRight", "VolumMeterL1", "VolumMeterL2", "VolumMeterR1",
                             "VolumMeterR2", "V0", "V1", "V2"}) {
      arena.push_back({name, "", ""});
    }
    scenes = {stage.addScene("arena", fixture(arena)),
              stage.addScene("droid", fixture({{"Droid", "", ""}, {"DroidChest", "Droid", "TorsoFrontSurface"}})),
              stage.addScene("master_droid", fixture({{"Body", "", ""}, {"GlowingParts", "Body", "RedGlow"},
                                                      {"WireRoboCube", "", ""}, {"WireBar", "WireRoboCube", ""}}))};
    for (QNVScene* scene : scenes) {
      ASSERT_NE(scene, nullptr);
      for (const auto& material : scene->getMaterials()) {
        if (material.first.rfind("Tex", 0) == 0) material.second->setDiffuseTexture(picture);
      }
    }
    cache.init();
  }

  static GLint wrapOf(Texture* texture) {
    GLint wrap = 0;
    texture->bind();
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
    texture->release();
    return wrap;
  }

  EffectTestBench bench;
  SceneEffectStage stage{bench};
  TarnveldShaderCache cache;
  std::vector<QNVScene*> scenes;
  Texture* sprite = nullptr;
  Texture* picture = nullptr;
};

TEST_F(TarnveldShaderCacheTest, EveryInstanceSitsOnTheObjectsItNames) {
  for (const char* name : {"light_shader_instance", "light_shader_instance_fog", "texture_shader_instance",
                           "light_texture_shader_instance", "crowd_shader_instance", "red_glow_instance",
                           "red_glow_instance2", "volumenter_instance_left", "volumenter_instance_right",
                           "wheel_rotate_shader_instance", "hover_screen_anim", "wire_robot_texture", "wire_robot_color",
                           "scale_y_0", "scale_y_1", "scale_y_2", "screen_shader_instance"}) {
    EXPECT_NE(cache.getShaderInstance(name), nullptr) << name;
  }
  EXPECT_EQ(cache.getShaderInstance("scale_y_3"), nullptr) << "one scale per meter";
  const struct {
    int scene;
    const char* object;
    const char* instance;
  } placed[] = {{0, "Floor", "light_shader_instance"},         {0, "Poster", "light_texture_shader_instance"},
                {0, "Screen", "screen_shader_instance"},       {0, "Banner", "texture_shader_instance"},
                {0, "TankBody2", "light_texture_shader_instance"}, {0, "TankBarrel", "light_shader_instance"},
                {0, "TribuneMiddleRight", "crowd_shader_instance"}, {0, "VolumMeterL2", "volumenter_instance_left"},
                {0, "VolumMeterR1", "volumenter_instance_right"}, {0, "Hoverscreen", "hover_screen_anim"},
                {0, "V2", "scale_y_2"},                        {0, "Ballong", "light_texture_shader_instance"},
                {0, "Fins", "light_shader_instance"},          {0, "Display", "hover_screen_anim"},
                {0, "GlowStrip", "red_glow_instance"},         {0, "Track", "wheel_rotate_shader_instance"},
                {0, "Shield", "red_glow_instance2"},           {0, "Rim", "light_shader_instance"},
                {0, "Chest", "light_texture_shader_instance"}, {0, "Tread", "light_shader_instance"},
                {1, "Droid", "light_shader_instance_fog"},     {1, "DroidChest", "light_texture_shader_instance"},
                {2, "Body", "light_shader_instance"},          {2, "GlowingParts", "red_glow_instance"},
                {2, "WireBar", "wire_robot_color"}};
  for (const auto& p : placed) {
    QNVObject* object = scenes[p.scene]->getObjectByName(p.object);
    ASSERT_NE(object, nullptr) << p.object;
    EXPECT_EQ(object->getShaderInstance(), cache.getShaderInstance(p.instance)) << p.object << " wants " << p.instance;
  }
  EXPECT_FALSE(scenes[0]->getObjectByName("Ballong")->isVisible());
  EXPECT_FALSE(scenes[0]->getObjectByName("Display")->isVisible()) << "the balloon is hidden with its parts";
  EXPECT_EQ(wrapOf(sprite), GL_REPEAT);
  EXPECT_EQ(wrapOf(picture), GL_REPEAT) << "the display's texture scrolls round";
}

class TarnveldShaderCacheAlone : public GLTestFixture {};

// A shader the pool lacks leaves its instance out and the objects with what they had.
TEST_F(TarnveldShaderCacheAlone, MissingShadersLeaveInstancesOut) {
  EffectTestBench bench;
  SceneEffectStage stage(bench);
  QNVScene* master = stage.addScene("master_droid", fixture({{"GlowingParts", "", ""}}));
  ASSERT_NE(master, nullptr);
  TarnveldShaderCache cache;
  cache.init();
  EXPECT_EQ(cache.getShaderInstance("red_glow_instance"), nullptr);
  EXPECT_EQ(master->getObjectByName("GlowingParts")->getShaderInstance(), nullptr);
}

}  // namespace
