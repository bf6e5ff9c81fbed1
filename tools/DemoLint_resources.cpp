// DemoLint: files the loader reads (images, scenes, binary data, camera paths, the song) and the
// resources each effect instance looks up.
#include <memory>

#include "demosys/render/TextureLoader.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/sound/SoundDecoder.h"
#include "qnvutils/File.h"
#include "qnvutils/Image.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"
#include "tools/DemoLint.h"
#include "tools/EffectCatalog.h"

namespace {

std::string oneLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  return text;
}

// The block that declares the pool names of each kind of lookup; null for what no block declares
// (effect instances are blocks of their own, shader instances come from the shader cache).
const char* declaringBlock(const std::string& kind) {
  if (kind == "shader") return "shaders";
  if (kind == "framebuffer") return "framebuffers";
  if (kind == "texture") return "graphics";
  if (kind == "scene") return "objects";
  if (kind == "camera path") return "animation";
  return nullptr;
}

}  // namespace

bool DemoLint::loads(const std::string& path, std::vector<unsigned char>& bytes) const {
  std::unique_ptr<File> file(QNVIO::loadFile(path));
  if (!file || !file->exists()) return false;
  bytes = file->getUnsigned();
  return true;
}

void DemoLint::checkGraphics() {
  const ParameterGroup* graphics = system.getGroup("graphics");
  std::string directory = value("paths", "gfx");
  for (int i = 0; graphics != nullptr && i < graphics->size(); ++i) {
    std::string key = graphics->getKey(i);
    int line = entryLine("graphics", key);
    TextureEntry entry;
    std::string problem;
    if (!TextureLoader::parseEntry(graphics->getValue(i), entry, problem)) {
      error(scriptFile, line, oneLine(problem));
      continue;
    }
    std::vector<unsigned char> bytes;
    if (!loads(directory + entry.file, bytes)) {
      error(scriptFile, line, "texture '" + key + "': file '" + directory + entry.file + "' not found");
      continue;
    }
    Image image;
    image.putData(bytes.data(), bytes.size());
    if (!image.exists()) error(directory + entry.file, 0, "does not decode as an image");
  }
}

// Scenes name their file first, before any comma; binary data and camera paths are the value.
void DemoLint::checkNamedFiles(const std::string& block, const std::string& directoryKey,
                               const std::string& what) {
  const ParameterGroup* group = system.getGroup(block);
  std::string directory = value("paths", directoryKey);
  for (int i = 0; group != nullptr && i < group->size(); ++i) {
    StringTokenizer items(group->getValue(i), ",");
    std::string path = directory + StringUtils::trim(items.getNext());
    std::vector<unsigned char> bytes;
    if (!loads(path, bytes))
      error(scriptFile, entryLine(block, group->getKey(i)),
            what + " '" + group->getKey(i) + "': file '" + path + "' not found");
  }
}

// The demo loads the song only when it plays it.
void DemoLint::checkSong() {
  if (value("sound", "play") != "1") return;
  std::string path = value("paths", "sound") + value("sound", "file");
  std::vector<unsigned char> bytes;
  if (!loads(path, bytes)) {
    error(scriptFile, entryLine("sound", "file"), "song: file '" + path + "' not found");
    return;
  }
  std::vector<float> stereo;
  uint32_t lengthMs = 0;
  if (SoundDecoder::decode(bytes.data(), bytes.size(), stereo, lengthMs) != SND_OK)
    error(path, 0, "does not decode as a song (WAV, FLAC, Ogg Vorbis, Opus, MP3 or a tracker module)");
}

// An effect whose lookup finds nothing draws nothing for the whole demo: the demo keeps running,
// so this is a warning, with the pool name and where it came from.
void DemoLint::checkEffectLookups() {
  for (int i = 0; i < effects.size(); ++i) {
    std::string instance = effects.getKey(i);
    std::string className = effects.getValue(i)->getParameter("class");
    for (const EffectResources::Lookup& lookup : needsOf(instance).lookups) {
      const char* block = declaringBlock(lookup.kind);
      if (lookup.optional || block == nullptr || declares(block, lookup.name)) continue;
      std::string origin = lookup.parameterKey.empty() ? "" : " (parameter '" + lookup.parameterKey + "')";
      warning(scriptFile, blockLine(instance),
              "effect '" + instance + "' (" + className + ") draws nothing: " + lookup.kind + " '" +
                  lookup.name + "'" + origin + " is not declared in the " + block + " block");
    }
  }
}
