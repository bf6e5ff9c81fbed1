#include "resources/generators/scenes/SceneSet.h"

#include <cstdio>

#include "demosys/scene/SceneWriter.h"
#include "resources/generators/scenes/ArenaModel.h"
#include "resources/generators/scenes/DroidModel.h"
#include "resources/generators/scenes/MasterDroidModel.h"
#include "resources/generators/scenes/ZeppelinModel.h"

namespace {

// The zeppelin alone, with views that ride along its path.
void buildZeppelinScene(SceneBuilder& b) {
  ZeppelinModel::build(b, SceneBuilder::root);
  b.light("Key", {0.8f, 0.8f, 0.85f}, {0.3f, -1.0f, 1.2f});
  b.light("CityGlow", {0.5f, 0.3f, 0.15f}, {0.0f, 0.3f, -1.0f});
  const struct {
    const char* name;
    Vector3f offset;
  } views[] = {{"PreviewFront", {26, -20, 4}}, {"PreviewSide", {0, -32, 0}}, {"PreviewAbove", {-22, 8, 16}}};
  for (const auto& view : views) {
    std::vector<CameraKey> keys;
    for (const PoseKey& k : ZeppelinModel::path()) keys.push_back({k.second, k.pose.position + view.offset, k.pose.position});
    b.camera(view.name, keys);
  }
}

}  // namespace

const std::vector<SceneFile>& SceneSet::files() {
  static const std::vector<SceneFile> all = {{"arena.scn", ArenaModel::build},
                                             {"zeppelin.scn", buildZeppelinScene},
                                             {"droid.scn", DroidModel::build},
                                             {"master_droid.scn", MasterDroidModel::build}};
  return all;
}

bool SceneSet::build(const SceneFile& file, SceneBuilder& builder, std::string& error) {
  file.build(builder);
  if (builder.ok()) return true;
  error = std::string(file.fileName) + ": " + builder.firstError();
  return false;
}

bool SceneSet::writeAll(const std::string& dir, std::string& error) {
  for (const SceneFile& file : files()) {
    SceneBuilder builder;
    if (!build(file, builder, error)) return false;
    if (!SceneWriter::writeFiles(builder.description(), dir + "/" + file.fileName, error)) return false;
    std::printf("%s: %d triangles drawn, %zu objects\n", file.fileName, builder.drawnTriangles(),
                builder.description().nodes.size());
  }
  return true;
}
