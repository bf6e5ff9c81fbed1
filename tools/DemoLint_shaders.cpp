// DemoLint: every shader pair preprocessed exactly as the loader does (its #define items, its
// #include expansion) and compiled as strict GLSL 1.10; compile messages name the file and line
// the text came from.
#include <string>
#include <vector>

#include "demosys/render/ShaderLoader.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "tools/DemoLint.h"
#include "tools/GlslValidator.h"

void DemoLint::checkShaders() {
  const ParameterGroup* shaders = system.getGroup("shaders");
  std::string path = value("paths", "shaders");
  for (int i = 0; shaders != nullptr && i < shaders->size(); ++i)
    checkShaderPair(shaders->getKey(i), shaders->getValue(i), path);
}

namespace {

struct Stage {
  std::string text;
  ShaderSourceMap origins;
};

}  // namespace

void DemoLint::checkShaderPair(const std::string& key, const std::string& entry, const std::string& path) {
  std::vector<std::string> params = ShaderLoader::parseParams(entry);
  std::string name = params.empty() ? "" : params[0];
  std::string message;
  bool valid = true;
  const bool verbose = false;
  ShaderLoader loader(message, valid, verbose);
  Stage stages[2];
  const char* const extensions[2] = {".vert", ".frag"};
  for (int s = 0; s < 2; ++s) {
    std::string file = name + extensions[s];
    if (!loader.readSource(stages[s].text, file, "file '" + path + file + "' not found", path, params)) {
      for (char& c : message) c = c == '\n' ? ' ' : c;
      error(scriptFile, entryLine("shaders", key), "shader '" + key + "': " + message);
      return;
    }
    stages[s].origins = loader.getSourceMap();
  }
  for (const GlslValidator::Message& m : GlslValidator::validate(stages[0].text, stages[1].text)) {
    std::string file = path + name;
    int line = 0;
    if (m.stage != GlslValidator::LINK) {
      const ShaderSourceMap::Origin* origin = stages[m.stage].origins.find(m.line);
      file = origin != nullptr ? origin->file : file + extensions[m.stage];
      line = origin != nullptr ? origin->line : 0;
    }
    std::string text = "GLSL 1.10 (shader '" + key + "'): " + m.text;
    m.error ? error(file, line, text) : warning(file, line, text);
  }
}
