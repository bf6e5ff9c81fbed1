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
  // A mesh's vertices as the engine's buffers take them.
  struct Vertices {
    std::vector<float> floats;  // interleaved as interleave() does
    int count = 0;              // tuples
    int positionComponents = 0;
    int normalComponents = 0;
    int texCoordComponents = 0;
  };
  // A mesh record for drawing, with the checks of readMesh: everything but the lists and indices
  // into mesh, and the tuples straight from the file's bytes into vertices, so that a loader never
  // holds the lists beside their interleaved copy.
  bool readMeshVertices(SceneMesh& mesh, Vertices& vertices);
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
  // Where a mesh's lists are and how its tuples index them.
  struct MeshLayout {
    int counts[3] = {0, 0, 0};  // positions, normals, texture coordinates
    int offsets[3] = {0, 0, 0};  // each list's slot inside a tuple
    int indexCount = 0;
    int stride = 0;              // present lists
    int order[3] = {0, 0, 0};   // the present lists in slot order: tuple index j belongs to order[j]
  };
  static constexpr uint32_t listWidths[3] = {3, 3, 2};
  bool readMeshHeader(SceneMesh& mesh, MeshLayout& layout);
  bool readList3(const char* what, const std::string& mesh, int count, std::vector<Vector3f>& out);
  bool checkMeshLayout(const std::string& mesh, MeshLayout& layout);
  bool checkIndex(const std::string& mesh, const MeshLayout& layout, std::size_t k, int index);

  File& file;
  std::string fileName;
  bool valid = true;
  bool nonFinite = false;
  std::string errorMessage;
};
