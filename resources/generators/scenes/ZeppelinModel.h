// The zeppelin "Ballong": envelope, tail fins, gondola and engine pods, with the LED "Display"
// on both flanks, flying a circle over the arena. The arena holds one (the zeppelin effect moves
// it, the arena effect hides it) and "zeppelin_scene" another on the same path, so whichever is
// drawn flies the same course.
// Depends on: SceneBuilder, ModelParts, MeshShapes.
#pragma once

#include <vector>

#include "resources/generators/scenes/SceneBuilder.h"

class ZeppelinModel {
 public:
  // Adds the zeppelin under parent and returns its node id.
  static int build(SceneBuilder& b, int parent);
  // One round over the arena in 60 seconds.
  static std::vector<PoseKey> path();
};
