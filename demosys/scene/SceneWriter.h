// Writes a SceneDescription as a scene file and its ".kf" keyframe file: the inverse of the
// scene loader, used by our content generators and the importer. The description is written as
// it is (no validation): a description the loader would refuse comes back refused.
// Depends on: qnvutils File, SceneDescription.
#pragma once

#include <string>

#include "demosys/scene/SceneDescription.h"

class File;

class SceneWriter {
 public:
  // Appends the scene file's bytes to out.
  static void writeScene(const SceneDescription& scene, File& out);
  // Appends the ".kf" file's bytes (header, count, records) to out.
  static void writeKeyframes(const SceneDescription& scene, File& out);
  // Writes path, and path + ".kf" when the scene has animations. On failure error names the file.
  static bool writeFiles(const SceneDescription& scene, const std::string& path, std::string& error);
};
