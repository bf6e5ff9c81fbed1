#include "production/TarnveldShaderCache.h"

#include <GL/glew.h>

#include <iostream>
#include <memory>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/ShaderColor.h"
#include "demosys/render/ShaderTexture.h"
#include "demosys/render/ShaderTextureColor.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/scene/QNVMaterial.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "production/effects/CrowdShader.h"
#include "production/effects/RobotTransShader.h"
#include "production/effects/ScaleVolumMeterShader.h"
#include "production/effects/TarnveldShader.h"
#include "production/effects/VolMeterShader.h"

namespace {

constexpr int crowdColumns = 256;
constexpr int crowdRows = 24;

// The pools by their registry names, as the effects find them.
template <class Pool>
Pool* pool(const char* name) {
  return QNVDemosys::data != nullptr ? static_cast<Pool*>(QNVDemosys::data->getData(name)) : nullptr;
}

Shader* shader(const std::string& name) {
  auto* shaders = pool<DataShaderPool>("shaderPool");
  return shaders != nullptr && shaders->exists(name) ? shaders->getShader(name) : nullptr;
}

Texture* texture(const std::string& name) {
  auto* textures = pool<DataTexturePool>("texturePool");
  return textures != nullptr ? textures->getTexture(name) : nullptr;
}

QNVScene* scene(const std::string& name) {
  auto* scenes = pool<DataObjectPool>("objectPool");
  return scenes != nullptr ? scenes->getObject(name) : nullptr;
}

template <class T>
ShaderInstance* coloured(const char* key, float r, float g, float b) {
  Shader* s = shader(key);
  if (s == nullptr) return nullptr;
  auto* instance = new T(s);
  instance->setColor(r, g, b, 1.0f);
  return instance;
}

template <class T>
ShaderInstance* plain(const char* key) {
  Shader* s = shader(key);
  return s != nullptr ? new T(s) : nullptr;
}

// Object (or material) name and the instance it gets.
struct Assignment {
  const char* target;
  const char* instance;
};

const Assignment arenaObjects[] = {
    {"Screen", "screen_shader_instance"},
    {"Banner", "texture_shader_instance"},
    {"TankBody", "light_texture_shader_instance"},
    {"TankTurret", "light_texture_shader_instance"},
    {"TankBarrel", "light_shader_instance"},
    {"TankBody2", "light_texture_shader_instance"},
    {"TankTurret2", "light_texture_shader_instance"},
    {"TankBarrel2", "light_shader_instance"},
    {"TribuneBottomLeft", "crowd_shader_instance"},
    {"TribuneBottomRight", "crowd_shader_instance"},
    {"TribuneMiddleLeft", "crowd_shader_instance"},
    {"TribuneMiddleRight", "crowd_shader_instance"},
    {"TribuneTopLeft", "crowd_shader_instance"},
    {"TribuneTopRight", "crowd_shader_instance"},
    {"VolumMeterL1", "volumenter_instance_left"},
    {"VolumMeterL2", "volumenter_instance_left"},
    {"VolumMeterR1", "volumenter_instance_right"},
    {"VolumMeterR2", "volumenter_instance_right"},
    {"Hoverscreen", "hover_screen_anim"},
};

// In every scene that has the material.
const Assignment materials[] = {
    {"RedGlow", "red_glow_instance"},
    {"TankTracks", "wheel_rotate_shader_instance"},
    {"ShieldSurface", "red_glow_instance2"},
    {"Wheel", "light_shader_instance"},
    {"TorsoFrontSurface", "light_texture_shader_instance"},
    {"Tyre", "light_shader_instance"},
};

}  // namespace

void TarnveldShaderCache::mapTextureShader(QNVScene* scene, ShaderInstance* instance) {
  for (int i = 0; i < scene->countObjects(); ++i) {
    QNVObject* object = scene->getObject(i);
    if (object->getMaterial() != nullptr && object->getMaterial()->getDiffuseTexture() != nullptr) {
      object->setShaderInstance(instance);
    }
  }
}

void TarnveldShaderCache::add(const std::string& name, ShaderInstance* instance) {
  if (instance == nullptr) {
    std::cout << "TarnveldShaderCache: no shader for \"" << name << "\"" << std::endl;
    return;
  }
  addShaderInstance(name, instance);
}

void TarnveldShaderCache::init() {
  createInstances();
  QNVScene* arena = scene("arena");
  QNVScene* droid = scene("droid");
  QNVScene* master = scene("master_droid");
  if (arena != nullptr) assignArena(arena);
  if (droid != nullptr) {
    if (ShaderInstance* fogged = getShaderInstance("light_shader_instance_fog")) droid->ApplyShaderInstance(fogged);
    assignMaterials(droid);
  }
  if (master != nullptr) assignMasterDroid(master);
  if (QNVScene* zeppelin = scene("zeppelin_scene")) assignZeppelin(zeppelin);
  if (Texture* sprite = texture("sprite")) sprite->setTextureWrap(GL_REPEAT, GL_REPEAT);
}

void TarnveldShaderCache::createInstances() {
  add("light_shader_instance", plain<ShaderInstance>("light_directional"));
  add("light_shader_instance_fog", plain<ShaderInstance>("light_directional_fog"));
  add("texture_shader_instance", plain<ShaderTexture>("texture"));
  add("light_texture_shader_instance", plain<ShaderTexture>("light_textured_directional"));
  Texture* sprite = texture("sprite");
  Shader* crowd = shader("crowd");
  add("crowd_shader_instance", crowd != nullptr && sprite != nullptr
                                   ? new CrowdShader(crowd, crowdColumns, crowdRows, sprite, sprite)
                                   : nullptr);
  add("red_glow_instance", coloured<ShaderColor>("color", 1.0f, 0.12f, 0.06f));
  add("red_glow_instance2", coloured<ShaderColor>("color_pattern", 1.0f, 0.25f, 0.15f));
  add("volumenter_instance_left", coloured<VolMeterShader>("volmeter", 1.0f, 0.45f, 0.1f));
  add("volumenter_instance_right", coloured<VolMeterShader>("volmeter", 0.15f, 0.6f, 1.0f));
  add("wheel_rotate_shader_instance", plain<RobotTransShader>("texturetrans"));
  add("hover_screen_anim", plain<RobotTransShader>("texturetrans"));
  add("wire_robot_texture", coloured<ShaderTextureColor>("texturecolor", 0.5f, 0.9f, 1.0f));
  add("wire_robot_color", coloured<ShaderColor>("color", 0.3f, 0.85f, 1.0f));
  Shader* screen = shader("screen");
  Texture* stripes = texture("hstripes");
  add("screen_shader_instance", screen != nullptr && stripes != nullptr ? new TarnveldShader(screen, stripes, true) : nullptr);
}

void TarnveldShaderCache::assignArena(QNVScene* arena) {
  if (ShaderInstance* light = getShaderInstance("light_shader_instance")) arena->ApplyShaderInstance(light);
  if (ShaderInstance* textured = getShaderInstance("light_texture_shader_instance")) mapTextureShader(arena, textured);
  for (const Assignment& a : arenaObjects) {
    if (ShaderInstance* instance = getShaderInstance(a.instance)) arena->ApplyShaderInstance(a.target, instance);
  }
  assignMaterials(arena);
  // The zeppelin effect draws the balloon; the arena scene itself never shows it.
  if (QNVObject* balloon = arena->getObjectByName("Ballong")) {
    balloon->setVisible(false, true);
    give(balloon, "light_shader_instance", true);
    give(balloon, "light_texture_shader_instance", false);
  }
  if (QNVObject* display = arena->getObjectByName("Display")) {
    QNVMaterial* material = display->getMaterial();
    if (material != nullptr && material->getDiffuseTexture() != nullptr) material->getDiffuseTexture()->setTextureWrap(GL_REPEAT);
    give(display, "hover_screen_anim", false);
  }
  createMeterScales(arena);
}

// One scale per numbered meter, so each stretches on its own.
void TarnveldShaderCache::createMeterScales(QNVScene* arena) {
  Shader* scale = shader("scale_y");
  for (int n = 0; scale != nullptr; ++n) {
    QNVObject* meter = arena->getObjectByName("V" + std::to_string(n));
    if (meter == nullptr) break;
    auto* instance = new ScaleVolumMeterShader(scale);
    add("scale_y_" + std::to_string(n), instance);
    meter->setShaderInstance(instance);
  }
}

void TarnveldShaderCache::assignMaterials(QNVScene* scene) {
  for (const Assignment& a : materials) {
    QNVMaterial* material = scene->getMaterialByName(a.target);
    ShaderInstance* instance = getShaderInstance(a.instance);
    if (material != nullptr && instance != nullptr) scene->ApplyShaderInstance(material, instance);
  }
}

void TarnveldShaderCache::assignMasterDroid(QNVScene* master) {
  if (ShaderInstance* light = getShaderInstance("light_shader_instance")) master->ApplyShaderInstance(light);
  assignMaterials(master);
  give(master->getObjectByName("GlowingParts"), "red_glow_instance", false);
  give(master->getObjectByName("WireRoboCube"), "wire_robot_color", true);
}

// The zeppelin scene, drawn along its path over the arena, lit like the arena's own objects.
void TarnveldShaderCache::assignZeppelin(QNVScene* zeppelin) {
  if (ShaderInstance* light = getShaderInstance("light_shader_instance")) zeppelin->ApplyShaderInstance(light);
  if (ShaderInstance* textured = getShaderInstance("light_texture_shader_instance")) mapTextureShader(zeppelin, textured);
  give(zeppelin->getObjectByName("Display"), "hover_screen_anim", false);
}

void TarnveldShaderCache::give(QNVObject* object, const char* name, bool recursive) {
  ShaderInstance* instance = getShaderInstance(name);
  if (object == nullptr || instance == nullptr) return;
  if (recursive) {
    object->setShaderInstanceRecursive(instance);
  } else {
    object->setShaderInstance(instance);
  }
}
