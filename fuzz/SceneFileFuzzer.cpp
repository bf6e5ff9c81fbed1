// Fuzzes the scene file reader on arbitrary bytes: it refuses with an "Object '" message or
// returns records whose indices lie inside their lists and that SceneWriter writes back to the
// same bytes' meaning (a second read gives the same records). The loader's way of reading meshes
// (vertices straight from the bytes) agrees with reading the lists and interleaving them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "demosys/scene/SceneFileReader.h"
#include "demosys/scene/SceneWriter.h"
#include "qnvutils/File.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

// Both mesh readers over the same bytes, mesh by mesh: the same vertices, or the same refusal.
void compareMeshReaders(const uint8_t* data, size_t size) {
  File listBytes("fuzz.bin");
  File directBytes("fuzz.bin");
  listBytes.put(data, size);
  directBytes.put(data, size);
  SceneFileReader lists(listBytes, "fuzz.bin");
  SceneFileReader direct(directBytes, "fuzz.bin");
  int count = 0;
  if (!lists.readVersion() || !lists.readCount(SceneFileReader::MESHES, count)) return;
  require(direct.readVersion() && direct.readCount(SceneFileReader::MESHES, count));
  for (int i = 0; i < count; ++i) {
    SceneMesh listed;
    SceneMesh header;
    SceneFileReader::Vertices vertices;
    const bool read = lists.readMesh(listed);
    require(direct.readMeshVertices(header, vertices) == read);
    if (!read) {
      require(direct.getErrorMessage() == lists.getErrorMessage());
      return;
    }
    require(vertices.floats == SceneFileReader::interleave(listed) && vertices.count == listed.tupleCount());
    require(header.name == listed.name && directBytes.getReadOffset() == listBytes.getReadOffset());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  compareMeshReaders(data, size);
  File file("fuzz.bin");
  file.put(data, size);
  file.exists(true);
  SceneDescription scene;
  std::string error;
  if (!SceneFileReader::readScene(file, nullptr, "fuzz.bin", scene, error)) {
    require(error.rfind("Object 'fuzz.bin': ", 0) == 0 || error.rfind("Invalid object version", 0) == 0);
    return 0;
  }
  for (const SceneMesh& mesh : scene.meshes) {
    const size_t floats = (mesh.positions.empty() ? 0 : 3) + (mesh.normals.empty() ? 0 : 3) +
                          (mesh.texCoords.empty() ? 0 : 2);
    require(SceneFileReader::interleave(mesh).size() == static_cast<size_t>(mesh.tupleCount()) * floats);
  }
  File again("again.bin");
  SceneWriter::writeScene(scene, again);
  again.exists(true);
  SceneDescription reread;
  require(SceneFileReader::readScene(again, nullptr, "again.bin", reread, error));
  require(reread.meshes.size() == scene.meshes.size() && reread.nodes.size() == scene.nodes.size());
  for (size_t i = 0; i < scene.meshes.size(); ++i) require(reread.meshes[i].indices == scene.meshes[i].indices);
  return 0;
}
