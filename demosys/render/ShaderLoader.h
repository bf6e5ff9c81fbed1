// Loads shader pairs from the shader directory: prepends the entry's #define items, expands
// #include lines recursively (relative to the shader directory), compiles and links; fills and
// reloads the shader pool from the configuration's "shaders" group. The resource loader owns one
// and shares its error text, validity flag and verbose flag with it, so every failure here is the
// loader's failure.
// A failed compile's message ends with the file and line of every line the driver's log names.
// Depends on: ShaderSourceMap, Shader, DataShaderPool, Parameters/ParameterGroup, QNVIO, File, StringTokenizer.
#pragma once

#include <string>
#include <vector>

#include "demosys/render/ShaderSourceMap.h"

class DataShaderPool;
class Parameters;
class Shader;

class ShaderLoader {
 public:
  // Deepest include nesting accepted; deeper nesting (an include cycle, in practice) is refused.
  static constexpr int maxIncludeDepth = 32;

  ShaderLoader(std::string& errorMessage, bool& valid, const bool& verbose);

  // Loads name.vert and name.frag from path into shader; params[0] is the base name, the rest
  // become #define lines.
  bool loadShader(Shader* shader, const std::string& name, const std::string& path,
                  const std::vector<std::string>& params);
  // Appends lines to out with every #include line replaced by the named file's expanded lines.
  bool shaderInclude(std::string& out, const std::vector<std::string>& lines, const std::string& path,
                     const std::string& filename, int depth);
  // The loader's shader stage: every entry of the "shaders" group into the pool.
  bool loadShaders(const Parameters& system, DataShaderPool& pool);
  // Recompiles every pooled shader in place from its entry; stops at the first failure, which
  // leaves that shader (and those after it) with the program it had.
  bool reloadShaders(const Parameters& system, DataShaderPool& pool);

  // Every file pulled in by an #include line so far, as path + name, each once in first-use order:
  // the packing script must carry them beside the shader pairs.
  const std::vector<std::string>& getIncludedFiles() const { return includedFiles; }

  // One stage's text as the loader compiles it: the #define lines, then the expanded file; false
  // (with missing, or the include failure, as the error text) when a file cannot be read.
  bool readSource(std::string& out, const std::string& file, const std::string& missing,
                  const std::string& path, const std::vector<std::string>& params);
  // Where each line of the stage text last read came from.
  const ShaderSourceMap& getSourceMap() const { return sourceMap; }

  // "#define item\n" for every item after the base name.
  static void addShaderParams(std::string& out, const std::vector<std::string>& params);
  // A shader entry's comma-separated items, each trimmed; empty items are dropped.
  static std::vector<std::string> parseParams(const std::string& value);

 private:
  bool fail(const std::string& message);
  std::string compileLog(const Shader& shader) const;
  static std::string shaderPath(const Parameters& system);
  static std::string baseName(const std::vector<std::string>& params);

  void noteIncluded(const std::string& file);

  std::vector<std::string> includedFiles;
  // Origins of the lines of the stage text being built or last compiled.
  ShaderSourceMap sourceMap;
  std::string& errorMessage;
  bool& valid;
  const bool& verbose;
};
