// DemoLint: the problem list, the script's line numbers and the order of the checks.
#include "tools/DemoLint.h"

#include <algorithm>
#include <memory>

#include "demosys/resources/QNVIO.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "qnvutils/File.h"
#include "qnvutils/StringUtils.h"
#include "tools/EffectCatalog.h"

DemoLint::DemoLint(const std::string& scriptFile, const Parameters& system, const Parameters& effects)
    : scriptFile(scriptFile), system(system), effects(effects) {
  std::unique_ptr<File> script(QNVIO::loadTextFile(scriptFile));
  if (script && script->exists()) scriptLines = script->getAsLines();
}

void DemoLint::run() {
  checkShaders();
  checkGraphics();
  checkNamedFiles("objects", "object", "scene");
  checkNamedFiles("binary", "misc", "binary data");
  checkNamedFiles("animation", "misc", "camera path");
  checkSong();
  checkEffectLookups();
  checkTimeline();
}

void DemoLint::error(const std::string& file, int line, const std::string& text) {
  problems.push_back({true, file, line, text});
}

void DemoLint::warning(const std::string& file, int line, const std::string& text) {
  problems.push_back({false, file, line, text});
}

void DemoLint::print(std::ostream& out) const {
  std::vector<Problem> ordered = problems;
  std::stable_partition(ordered.begin(), ordered.end(), [](const Problem& p) { return p.error; });
  for (const Problem& p : ordered) {
    out << p.file << (p.line > 0 ? ":" + std::to_string(p.line) : "")
        << (p.error ? ": error: " : ": warning: ") << p.text << "\n";
  }
  out << std::flush;
}

int DemoLint::errorCount() const {
  return static_cast<int>(
      std::count_if(problems.begin(), problems.end(), [](const Problem& p) { return p.error; }));
}

std::string DemoLint::value(const std::string& group, const std::string& key) const {
  const ParameterGroup* found = system.getGroup(group);
  return found != nullptr && found->exist(key) ? found->getParameter(key) : "";
}

bool DemoLint::declares(const std::string& group, const std::string& key) const {
  const ParameterGroup* found = system.getGroup(group);
  return found != nullptr && found->exist(key);
}

namespace {

// A script line without its comment, trimmed.
std::string code(const std::string& line) { return StringUtils::trim(line.substr(0, line.find("//"))); }

bool opensBlock(const std::string& line, const std::string& block) {
  if (line.compare(0, block.size(), block) != 0) return false;
  std::string rest = StringUtils::trim(line.substr(block.size()));
  return rest.empty() || rest[0] == '{' || rest[0] == '*';
}

}  // namespace

int DemoLint::blockLine(const std::string& block) const {
  for (std::size_t i = 0; i < scriptLines.size(); ++i) {
    if (opensBlock(code(scriptLines[i]), block)) return static_cast<int>(i) + 1;
  }
  return 0;
}

int DemoLint::entryLine(const std::string& block, const std::string& key) const {
  int start = blockLine(block);
  if (start == 0) return 0;
  for (std::size_t i = static_cast<std::size_t>(start) - 1; i < scriptLines.size(); ++i) {
    std::string line = code(scriptLines[i]);
    std::size_t at = line.find(key);
    while (at != std::string::npos) {
      bool wordStart = at == 0 || line[at - 1] == '{' || line[at - 1] == ';' || line[at - 1] == ' ';
      std::string rest = StringUtils::trim(line.substr(at + key.size()));
      if (wordStart && !rest.empty() && rest[0] == '=') return static_cast<int>(i) + 1;
      at = line.find(key, at + 1);
    }
    if (line.find('}') != std::string::npos && i + 1 > static_cast<std::size_t>(start)) break;
  }
  return start;
}

const EffectNeeds& DemoLint::needsOf(const std::string& instance) const {
  auto learnt = learntNeeds.find(instance);
  if (learnt != learntNeeds.end()) return learnt->second;
  EffectNeeds& needs = learntNeeds[instance];
  ParameterGroup* group = effects.getGroup(instance);
  if (group != nullptr) learnEffectNeeds(group->getParameter("class"), *group, needs);
  return needs;
}
