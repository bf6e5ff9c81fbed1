// The production's scene files, each built by its model: the arena (loaded as both "arena" and
// "arena_scene"), the zeppelin on its own, the droid and the master droid. Written with their
// keyframe files into one folder by the build; the same bytes on every run.
// Depends on: SceneBuilder, SceneWriter, the models.
#pragma once

#include <string>
#include <vector>

#include "resources/generators/scenes/SceneBuilder.h"

struct SceneFile {
  const char* fileName;
  void (*build)(SceneBuilder&);
};

class SceneSet {
 public:
  static const std::vector<SceneFile>& files();
  // Builds one scene; false with the builder's first error.
  static bool build(const SceneFile& file, SceneBuilder& builder, std::string& error);
  // Writes every scene into dir and prints each one's triangle count; error names the first failure.
  static bool writeAll(const std::string& dir, std::string& error);
};
