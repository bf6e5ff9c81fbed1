// GlslValidator: glslang front end as a strict GLSL 1.10 compiler.
#include "tools/GlslValidator.h"

#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>

#include <cstdlib>
#include <memory>
#include <sstream>

namespace {

const int DEFAULT_VERSION = 110;

// glslang's process-wide tables, set up once for the tool's lifetime.
void initialiseOnce() {
  static const bool initialised = glslang::InitializeProcess();
  (void)initialised;
}

std::unique_ptr<glslang::TShader> compiled(EShLanguage language, const std::string& source, bool& ok) {
  auto shader = std::make_unique<glslang::TShader>(language);
  const char* text = source.c_str();
  shader->setStrings(&text, 1);
  ok = shader->parse(GetDefaultResources(), DEFAULT_VERSION, ENoProfile, false, false, EShMsgDefault);
  return shader;
}

}  // namespace

// Log lines read "ERROR: 0:12: 'x' : message" (string 0, line 12); the closing tally
// ("ERROR: 1 compilation errors.  No code generated.") and the note that compiling stopped add
// nothing to the error before them and are dropped.
void GlslValidator::collect(const std::string& log, Stage stage, std::vector<Message>& out) {
  std::istringstream lines(log);
  std::string line;
  while (std::getline(lines, line)) {
    bool error = line.rfind("ERROR: ", 0) == 0;
    if (!error && line.rfind("WARNING: ", 0) != 0) continue;
    std::string rest = line.substr(error ? 7 : 9);
    if (rest.find("compilation errors") != std::string::npos ||
        rest.find("compilation terminated") != std::string::npos)
      continue;
    int lineNumber = 0;
    if (rest.rfind("0:", 0) == 0) {
      std::size_t end = rest.find(':', 2);
      if (end != std::string::npos) {
        lineNumber = std::atoi(rest.substr(2, end - 2).c_str());
        rest = rest.substr(end + 1);
        if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
      }
    }
    out.push_back({stage, error, lineNumber, rest});
  }
}

std::vector<GlslValidator::Message> GlslValidator::validate(const std::string& vertex,
                                                            const std::string& fragment) {
  initialiseOnce();
  std::vector<Message> messages;
  bool vertexOk = false;
  bool fragmentOk = false;
  std::unique_ptr<glslang::TShader> vertexShader = compiled(EShLangVertex, vertex, vertexOk);
  collect(vertexShader->getInfoLog(), VERTEX, messages);
  std::unique_ptr<glslang::TShader> fragmentShader = compiled(EShLangFragment, fragment, fragmentOk);
  collect(fragmentShader->getInfoLog(), FRAGMENT, messages);
  if (!vertexOk || !fragmentOk) return messages;
  glslang::TProgram program;
  program.addShader(vertexShader.get());
  program.addShader(fragmentShader.get());
  if (!program.link(EShMsgDefault)) collect(program.getInfoLog(), LINK, messages);
  return messages;
}
