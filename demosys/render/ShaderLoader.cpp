// ShaderLoader: shader source preprocessing, compilation and the shader pool stages.
#include "demosys/render/ShaderLoader.h"

#include <algorithm>
#include <iostream>
#include <memory>

#include "demosys/render/Shader.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "qnvutils/File.h"
#include "qnvutils/QNVUtils.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

ShaderLoader::ShaderLoader(std::string& errorMessage, bool& valid, const bool& verbose)
    : errorMessage(errorMessage), valid(valid), verbose(verbose) {}

bool ShaderLoader::fail(const std::string& message) {
  errorMessage = message;
  valid = false;
  return false;
}

void ShaderLoader::addShaderParams(std::string& out, const std::vector<std::string>& params) {
  for (size_t i = 1; i < params.size(); ++i) out += "#define " + params[i] + "\n";
}

std::vector<std::string> ShaderLoader::parseParams(const std::string& value) {
  std::vector<std::string> items;
  StringTokenizer tokens(value, ",");
  while (tokens.hasMoreTokens()) items.push_back(StringUtils::trim(tokens.getNext()));
  return items;
}

static std::unique_ptr<File> loadText(const std::string& name) {
  return std::unique_ptr<File>(QNVIO::loadTextFile(name));
}

bool ShaderLoader::shaderInclude(std::string& out, const std::vector<std::string>& lines,
                                 const std::string& path, const std::string& filename, int depth) {
  for (std::size_t number = 0; number < lines.size(); ++number) {
    const std::string& line = lines[number];
    StringTokenizer tokens(line, " ");
    if (line.empty() || line[0] != '#' || tokens.countTokens() < 2 ||
        StringUtils::trim(tokens.getNext()) != "#include") {
      out += line + "\n";
      sourceMap.add(path + filename, static_cast<int>(number) + 1);
      continue;
    }
    std::string file = StringUtils::trim(tokens.getNext());
    if (verbose) std::cout << depth << " : Including " << file << " from " << filename << std::endl;
    std::string failure =
        "Failed to include '" + line + "' in " + filename + " depth " + QNVUtils::int2string(depth);
    if (depth >= maxIncludeDepth) {
      return fail(failure + "\nIncludes nest deeper than " + QNVUtils::int2string(maxIncludeDepth) +
                  " levels (an include cycle?)");
    }
    std::unique_ptr<File> included = loadText(path + file);
    if (!included || !included->exists()) return fail(failure);
    noteIncluded(path + file);
    if (!shaderInclude(out, included->getAsLines(), path, file, depth + 1)) return false;
  }
  return true;
}

void ShaderLoader::noteIncluded(const std::string& file) {
  if (std::find(includedFiles.begin(), includedFiles.end(), file) == includedFiles.end())
    includedFiles.push_back(file);
}

// One stage's text: the definition lines, then the expanded file.
bool ShaderLoader::readSource(std::string& out, const std::string& file, const std::string& missing,
                              const std::string& path, const std::vector<std::string>& params) {
  std::unique_ptr<File> source = loadText(path + file);
  if (!source || !source->exists()) return fail(missing);
  addShaderParams(out, params);
  sourceMap.clear();
  for (std::size_t i = 1; i < params.size(); ++i) sourceMap.add(path + file, 0);
  return shaderInclude(out, source->getAsLines(), path, file, 0);
}

// The driver's log, followed by the file and line of each line it names (it counts the lines of
// the combined text, which a file with includes does not show).
std::string ShaderLoader::compileLog(const Shader& shader) const {
  std::string log = shader.getErrorMessage();
  const std::string mapped = sourceMap.describe(log);
  if (mapped.empty()) return log;
  return log + (log.empty() || log.back() == '\n' ? "" : "\n") + mapped;
}

bool ShaderLoader::loadShader(Shader* shader, const std::string& name, const std::string& path,
                              const std::vector<std::string>& params) {
  std::string vertex;
  if (!readSource(vertex, name + ".vert", "Vertex shader '" + name + ".vert' not found", path, params))
    return false;
  if (!shader->setVertexSource(vertex)) {
    return fail("Error while compiling vertex shader\nShader: " + name + ".vert\n" + compileLog(*shader));
  }
  std::string fragment;
  if (!readSource(fragment, name + ".frag", "Fragement shader '" + name + ".frag' not found", path, params)) {
    return false;
  }
  if (!shader->setFragmentSource(fragment)) {
    return fail("Error while compiling fragment shader\nShader: " + name + ".frag\n" + compileLog(*shader));
  }
  if (!shader->link()) {
    return fail("Error while linking shader pair\nShader: " + name + "\n" + shader->getErrorMessage());
  }
  return true;
}

// A blank entry has no base name; it then fails as a missing ".vert" file.
std::string ShaderLoader::baseName(const std::vector<std::string>& params) {
  return params.empty() ? "" : params[0];
}

std::string ShaderLoader::shaderPath(const Parameters& system) {
  ParameterGroup* paths = system.getGroup("paths");
  return paths ? paths->getParameter("shaders") : "NULL";
}

bool ShaderLoader::loadShaders(const Parameters& system, DataShaderPool& pool) {
  std::cout << "[Loading Shaders]" << std::endl;
  ParameterGroup* shaders = system.getGroup("shaders");
  if (shaders == nullptr) {
    std::cout << "No shaders to load" << std::endl;
    return true;
  }
  std::string path = shaderPath(system);
  std::cout << "Shader path = " << path << std::endl;
  for (int i = 0; i < shaders->size(); ++i) {
    std::string key = shaders->getKey(i);
    std::string value = shaders->getValue(i);
    std::cout << "-> Reloading " << value << std::endl;
    std::vector<std::string> params = parseParams(value);
    auto shader = std::make_unique<Shader>();
    shader->setName(key);
    if (!loadShader(shader.get(), baseName(params), path, params)) return false;
    Shader* pooled = shader.release();
    pool.addShader(key, pooled);
    if (verbose) std::cout << "Adding shader '" << key << "' = " << pooled->toString() << std::endl;
    pooled->use();
    pooled->release();
  }
  return true;
}

bool ShaderLoader::reloadShaders(const Parameters& system, DataShaderPool& pool) {
  std::cout << "[Reloading Shaders]" << std::endl;
  ParameterGroup* shaders = system.getGroup("shaders");
  if (shaders == nullptr) {
    std::cout << "No shaders to re-load" << std::endl;
    std::cout << "[Reloading Shaders] ... Done!" << std::endl;
    return true;
  }
  std::string path = shaderPath(system);
  std::cout << "Shader path = " << path << std::endl;
  for (int i = 0; i < shaders->size(); ++i) {
    std::string key = shaders->getKey(i);
    std::vector<std::string> params = parseParams(shaders->getValue(i));
    Shader* shader = pool.getShader(key);
    // Compiled aside, so a shader that no longer compiles leaves the working program drawing.
    Shader fresh;
    bool loaded = shader ? loadShader(&fresh, baseName(params), path, params)
                         : fail("Shader '" + key + "' is not in the shader pool");
    if (!loaded) {
      std::cout << "Error while recompiling '" << baseName(params) << "' : " << errorMessage << std::endl;
      return false;
    }
    shader->swap(fresh);
    pool.addShader(key, shader);
    std::cout << "Adding shader '" << key << "' = " << shader->toString() << std::endl;
    shader->use();
    shader->release();
  }
  std::cout << "[Reloading Shaders] ... Done!" << std::endl;
  return true;
}
