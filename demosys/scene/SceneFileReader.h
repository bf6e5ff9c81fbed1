// Reads the records of a scene file and of its ".kf" keyframe file from a File, one at a time,
// into the plain SceneDescription records. The format trusts its counts; this reader does not:
// every count is checked against the bytes left, every index against its list, every float for
// being finite, and a record cut short by the end of the file is an error. The first error stops
// the reading; its text starts with "Object '" and the file name.
// Depends on: qnvutils File, SceneDescription.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demosys/scene/SceneDescription.h"

class File;

class SceneFileReader {
 public:
  SceneFileReader(File& file, const std::string& fileName);

  // The version must be 1 (the error text is the engine's own).
  bool readVersion();
  enum Record { MESHES, TEXTURES, MATERIALS, LIGHTS, NODES, ANIMATIONS };
  // The count of a record list. Negative node and animation counts mean none, other negative
  // counts are errors, and so is a count whose records could not fit in the bytes left.
  bool readCount(Record kind, int& count);
  bool readMesh(SceneMesh& mesh);
  bool readTexture(SceneTexture& texture);
  bool readMaterial(SceneMaterial& material);
  bool readLight(SceneLight& light);
  // Nodes of an unknown type carry no fields after the type.
  bool readNode(SceneNode& node);
  // Of the ".kf" file: the ignored header and the count, then the records.
  bool readKeyframeHeader(int& count);
  bool readAnimation(SceneAnimation& animation);

  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

  // The mesh's tuples as the engine's interleaved vertices (position, normal, texture coordinate
  // floats per tuple, in slot order). The mesh must have been read (or checked) by this class.
  static std::vector<float> interleave(const SceneMesh& mesh);
  // A key time of the ".kf" file in milliseconds: whole seconds only, negative as 0.
  static unsigned keyTimeMs(float seconds);

  // A whole scene and, when keyframes is not null and exists, its keyframes.
  static bool readScene(File& scene, File* keyframes, const std::string& fileName, SceneDescription& out,
                        std::string& error);

 private:
  bool fail(const std::string& reason);
  // True when the record just read lay inside the file and held only finite numbers.
  bool recordComplete(const std::string& record);
  float readFloat();
  Vector2f readVector2();
  Vector3f readVector3();
  Matrix readMatrix();
  bool readList3(const char* what, const std::string& mesh, int count, std::vector<Vector3f>& out);
  bool checkMeshLayout(const SceneMesh& mesh, int indexCount);
  bool checkIndices(const SceneMesh& mesh);

  File& file;
  std::string fileName;
  bool valid = true;
  bool nonFinite = false;
  std::string errorMessage;
};
