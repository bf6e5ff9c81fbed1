// demosys scene: scene files for demo makers.
//   scene info FILE   meshes (tuples, triangles, boxes), textures, materials, lights, cameras and the
//                     object tree (ids, names, parents, animation keys) of FILE and FILE.kf
//   scene render FILE --out PNG [--camera NAME] [--at MS] [--size WxH] [--wireframe|--bbox]
//                [--instanced]
//                     a preview picture through the engine's scene drawing (ScenePreview)
//   scene import MODEL OUT [--up y|z] [--key-step S]
//                     a model file of a common 3D format as a scene file (SceneImporter)
// A file the engine would refuse exits 1 with the loader's message.
#include <IL/il.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "demosys/scene/SceneDescription.h"
#include "demosys/scene/SceneFileReader.h"
#include "qnvutils/File.h"
#include "qnvutils/StringUtils.h"
#include "tools/SceneImporter.h"
#include "tools/ScenePreview.h"
#include "tools/ToolCommand.h"
#include "tools/ToolSupport.h"

namespace {

std::string text(const Vector3f& v) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "(%g, %g, %g)", v[0], v[1], v[2]);
  return buffer;
}

// Key counts by target, as the loader attaches them: objects and cameras by node id.
std::map<unsigned, size_t> keyCounts(const SceneDescription& scene, bool lights) {
  std::map<unsigned, size_t> counts;
  for (const SceneAnimation& a : scene.animations) {
    if ((a.targetType == SCENE_TARGET_LIGHT) == lights) counts[a.targetId] = a.times.size();
  }
  return counts;
}

void printMeshes(const SceneDescription& scene) {
  std::cout << "meshes " << scene.meshes.size() << "\n";
  for (const SceneMesh& m : scene.meshes) {
    std::cout << "  mesh " << m.id << " '" << m.name << "': " << m.tupleCount() << " tuples, "
              << m.tupleCount() / 3 << " triangles, box " << text(m.bboxMin) << " to " << text(m.bboxMax) << "\n";
  }
  std::cout << "textures " << scene.textures.size() << "\n";
  for (const SceneTexture& t : scene.textures) std::cout << "  texture " << t.id << " '" << t.name << "': " << t.file << "\n";
  std::cout << "materials " << scene.materials.size() << "\n";
  for (const SceneMaterial& m : scene.materials) {
    std::cout << "  material " << m.id << " '" << m.name << "': ambient " << text(m.ambient) << ", diffuse "
              << text(m.diffuse) << ", texture " << m.textureId << "\n";
  }
}

void printLightsAndCameras(const SceneDescription& scene) {
  const std::map<unsigned, size_t> lightKeys = keyCounts(scene, true);
  const std::map<unsigned, size_t> nodeKeys = keyCounts(scene, false);
  std::cout << "lights " << scene.lights.size() << "\n";
  for (const SceneLight& l : scene.lights) {
    std::string names;
    for (const SceneNode& n : scene.nodes) {
      if (n.type == SCENE_NODE_LIGHT && n.reference == l.id) names += " '" + n.name + "'";
    }
    auto keys = lightKeys.find(static_cast<unsigned>(l.id));
    std::cout << "  light " << l.id << names << " type " << l.type << " colour " << text(l.color) << ", "
              << (keys == lightKeys.end() ? 0 : keys->second) << " keys\n";
  }
  std::vector<const SceneNode*> cameras;
  for (const SceneNode& n : scene.nodes) {
    if (n.type == SCENE_NODE_CAMERA) cameras.push_back(&n);
  }
  std::cout << "cameras " << cameras.size() << "\n";
  for (const SceneNode* c : cameras) {
    auto keys = nodeKeys.find(static_cast<unsigned>(c->id));
    std::cout << "  camera " << c->id << " '" << c->name << "' at " << text(c->matrix.getTranslation()) << ", "
              << (keys == nodeKeys.end() ? 0 : keys->second) << " keys\n";
  }
}

// The object tree as the loader builds it: nodes of types 0 and 1, the later of one id, in
// ascending id order, a parent id naming no object (or a loop) making a root.
void printTree(const SceneDescription& scene) {
  std::map<unsigned, const SceneNode*> objects;
  for (const SceneNode& n : scene.nodes) {
    if (n.type == SCENE_NODE_EMPTY || n.type == SCENE_NODE_MESH) objects[static_cast<unsigned>(n.id)] = &n;
  }
  std::map<unsigned, unsigned> parents;
  auto closesLoop = [&parents](unsigned id, unsigned parent) {
    for (unsigned at = parent;;) {
      if (at == id) return true;
      auto up = parents.find(at);
      if (up == parents.end()) return false;
      at = up->second;
    }
  };
  std::map<unsigned, std::vector<unsigned>> children;
  std::vector<unsigned> roots;
  for (const auto& entry : objects) {
    const unsigned parent = static_cast<unsigned>(entry.second->parentId);
    if (objects.count(parent) && !closesLoop(entry.first, parent)) {
      parents[entry.first] = parent;
      children[parent].push_back(entry.first);
    } else {
      roots.push_back(entry.first);
    }
  }
  const std::map<unsigned, size_t> keys = keyCounts(scene, false);
  std::cout << "objects " << objects.size() << "\n";
  struct Printer {
    const std::map<unsigned, const SceneNode*>& objects;
    const std::map<unsigned, std::vector<unsigned>>& children;
    const std::map<unsigned, size_t>& keys;
    void print(unsigned id, int depth) const {
      const SceneNode& n = *objects.at(id);
      std::cout << std::string(static_cast<size_t>(2 + 2 * depth), ' ') << id << " '" << n.name << "' parent "
                << n.parentId;
      if (n.type == SCENE_NODE_MESH) std::cout << ", mesh " << n.reference << ", material " << n.materialId;
      auto k = keys.find(id);
      std::cout << ", " << (k == keys.end() ? 0 : k->second) << " keys\n";
      auto c = children.find(id);
      if (c == children.end()) return;
      for (unsigned child : c->second) print(child, depth + 1);
    }
  } printer{objects, children, keys};
  for (unsigned root : roots) printer.print(root, 0);
}

int runInfo(const std::string& path) {
  File scene(path, File::MODE_READ);
  if (!scene.exists()) {
    std::cerr << "Object '" << path << "' not found" << std::endl;
    return 1;
  }
  File keyframes(path + ".kf", File::MODE_READ);
  SceneDescription description;
  std::string error;
  if (!SceneFileReader::readScene(scene, &keyframes, path, description, error)) {
    std::cerr << error << (error.empty() || error.back() != '\n' ? "\n" : "");
    return 1;
  }
  printMeshes(description);
  printLightsAndCameras(description);
  printTree(description);
  return 0;
}

bool parseRenderOption(const std::vector<std::string>& args, std::size_t& i, ScenePreviewOptions& o) {
  const std::string& name = args[i];
  if (name == "--wireframe" || name == "--bbox") {
    if (o.style != ScenePreviewOptions::SOLID) return false;
    o.style = name == "--bbox" ? ScenePreviewOptions::BOXES : ScenePreviewOptions::WIREFRAME;
    return true;
  }
  if (name == "--instanced") {
    o.instanced = true;
    return true;
  }
  if (i + 1 >= args.size()) return false;
  const std::string& value = args[++i];
  if (name == "--out") return !(o.out = value).empty();
  if (name == "--camera") return !(o.camera = value).empty();
  if (name == "--at") return parseTime(value, o.atMs);
  if (name == "--size") return parseSize(value, o.width, o.height);
  return false;
}

bool parseRender(const std::vector<std::string>& args, ScenePreviewOptions& o) {
  if (args.size() < 2 || args[1].rfind("--", 0) == 0) return false;
  o.file = args[1];
  for (std::size_t i = 2; i < args.size(); ++i) {
    if (!parseRenderOption(args, i, o)) return false;
  }
  return !o.out.empty();
}

int runRender(const std::vector<std::string>& args) {
  ScenePreviewOptions options;
  if (!parseRender(args, options)) {
    std::cerr << "usage: demosys scene render FILE --out PNG [--camera NAME] [--at MS] [--size WxH] "
                 "[--wireframe|--bbox] [--instanced]"
              << std::endl;
    return 2;
  }
  ilInit();
  ScenePreview preview(options);
  return preview.render() ? 0 : 1;
}

bool parseImport(const std::vector<std::string>& args, SceneImportOptions& o) {
  if (args.size() < 3) return false;
  o.model = args[1];
  o.out = args[2];
  for (std::size_t i = 3; i + 1 < args.size(); i += 2) {
    const std::string& value = args[i + 1];
    if (args[i] == "--up" && (value == "y" || value == "z")) {
      o.zUp = value == "z";
    } else if (args[i] == "--key-step" && StringUtils::isInt(value) && std::stoi(value) > 0) {
      o.keyStep = static_cast<unsigned>(std::stoi(value));
    } else {
      return false;
    }
  }
  return args.size() % 2 == 1;
}

int runImport(const std::vector<std::string>& args) {
  SceneImportOptions options;
  if (!parseImport(args, options)) {
    std::cerr << "usage: demosys scene import MODEL OUT [--up y|z] [--key-step SECONDS]" << std::endl;
    return 2;
  }
  SceneImporter importer(options);
  return importer.run() ? 0 : 1;
}

}  // namespace

int runSceneCommand(const std::vector<std::string>& args) {
  if (args.size() == 2 && args[0] == "info") return runInfo(args[1]);
  if (!args.empty() && args[0] == "render") return runRender(args);
  if (!args.empty() && args[0] == "import") return runImport(args);
  std::cerr << "usage: demosys scene info FILE | render FILE --out PNG [OPTIONS] | import MODEL OUT [OPTIONS]"
            << std::endl;
  return 2;
}
