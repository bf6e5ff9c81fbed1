// ResourceLoader: the shell script that packs what the loaded demo reads into "resources.7z".
#include <fstream>

#include "demosys/core/ProgressBar.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/resources/ResourceLoader.h"
#include "demosys/script/ParameterGroup.h"
#include "qnvutils/File.h"

namespace {

const char* const ADD_COMMAND = " a -ms=off -mx=9 ";
const char* const ARCHIVE = " resources.7z ";
const char* const ARCHIVE_NAME = "resources.7z";

class CopyScript {
 public:
  explicit CopyScript(const std::string& archiverCommand) : archiver(archiverCommand) {}
  void add(const std::string& path) {
    text += archiver + ADD_COMMAND + ARCHIVE + path + " >> " + ARCHIVE_NAME + ".log " + "\n";
  }
  std::string text;

 private:
  std::string archiver;
};

}  // namespace

std::string ResourceLoader::copyScriptText(const std::string& archiver) const {
  CopyScript script(archiver);
  script.text = std::string("rm ") + ARCHIVE + "\n" + "rm " + ARCHIVE_NAME + ".log" + "\n";
  ParameterGroup* sound = systemGroup("sound");
  if (sound != nullptr && sound->exist("file"))
    script.add(systemValue("paths", "sound") + sound->getParameter("file"));
  script.add("resources/scripts/demoscript.txt");
  script.add(systemValue("paths", "definition") + "*");
  if (QNVDemosys::texturePool != nullptr) {
    for (const auto& file : QNVDemosys::texturePool->getFilemap())
      script.add(systemValue("paths", "gfx") + file.first);
  }
  if (ParameterGroup* objects = systemGroup("objects")) {
    for (int i = 0; i < objects->size(); ++i) {
      std::string path = systemValue("paths", "object") + objects->getValue(i);
      script.add(path);
      if (File::exists(path + ".kf")) script.add(path + ".kf");
    }
  }
  for (const char* group : {"animation", "binary"}) {
    ParameterGroup* entries = systemGroup(group);
    for (int i = 0; entries != nullptr && i < entries->size(); ++i) {
      script.add(systemValue("paths", "misc") + entries->getValue(i));
    }
  }
  if (ParameterGroup* shaders = systemGroup("shaders")) {
    for (int i = 0; i < shaders->size(); ++i) {
      script.add(systemValue("paths", "shaders") + shaders->getValue(i) + ".vert");
      script.add(systemValue("paths", "shaders") + shaders->getValue(i) + ".frag");
    }
  }
  for (const std::string& file : shaderLoader.getIncludedFiles()) script.add(file);
  ParameterGroup* paths = systemGroup("paths");
  if (paths != nullptr && paths->exist("tracks")) {
    script.add(paths->getParameter("tracks") + "index.list");
    script.add(paths->getParameter("tracks") + "track.data");
  }
  // A progress display draws without its pictures when they are missing, so a demo that has none
  // still packs: only the pictures the tree holds are listed.
  for (int i = 0; QNVDemosys::pBar != nullptr && i < QNVDemosys::pBar->getResourceCount(); ++i) {
    if (File::exists(QNVDemosys::pBar->getResource(i))) script.add(QNVDemosys::pBar->getResource(i));
  }
  return script.text;
}

void ResourceLoader::createCopyScript(const std::string& archiver, const std::string& scriptFile) {
  std::ofstream out(scriptFile, std::ios::binary | std::ios::trunc);
  if (out) out << copyScriptText(archiver);
}
