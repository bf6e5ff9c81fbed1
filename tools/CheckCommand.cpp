// demosys check: lints a demo script and everything it makes the demo load, without a display.
//   check [--archive] [--root DIR] [--gl] [SCRIPT]
// SCRIPT is a file name inside "resources/scripts/" (default "demoscript.txt"), read with
// everything it refers to from the directory tree under DIR (default "."), or with --archive
// from "resources.7z" in DIR. The script is parsed exactly as the engine's loader parses it
// (definition checking on, Tarnveld's templates registered); a script that does not parse
// prints the parser's error text (exit 1). A parsed script is then held against its files,
// shaders, effects and timeline (DemoLint): one line per problem on standard error, errors
// first; any error exits 1. With --gl the demo is then loaded as the demo loads it, in a small
// window (on a virtual screen when there is no display), and what only the driver can say is
// reported the same way: a load that fails (a shader the driver rejects, a texture over its
// limits) and render targets it cannot build. Without errors "OK" and the two parameter
// collections follow, each under its name (exit 0).
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/Parameters.h"
#include "production/TarnveldEffectList.h"
#include "tools/DemoLint.h"
#include "tools/DemoSession.h"
#include "tools/QuietConsole.h"
#include "tools/ToolCommand.h"

namespace {

const char* const SCRIPT_DIRECTORY = "resources/scripts/";

struct CheckOptions {
  bool archive = false;
  std::string root = ".";
  std::string script = "demoscript.txt";
  bool gl = false;
};

bool parseOptions(const std::vector<std::string>& args, CheckOptions& options) {
  bool scriptGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--archive") {
      options.archive = true;
    } else if (args[i] == "--gl") {
      options.gl = true;
    } else if (args[i] == "--root" && i + 1 < args.size()) {
      options.root = args[++i];
    } else if (args[i].rfind("--", 0) == 0 || scriptGiven) {
      return false;
    } else {
      // As in the demo, an empty name keeps the default script.
      if (!args[i].empty()) options.script = args[i];
      scriptGiven = true;
    }
  }
  return true;
}

// The template pool as the demo's entry function fills it.
std::unique_ptr<Data> registerTemplates() {
  auto data = std::make_unique<Data>();
  auto* templates = new DataEffectPool();
  for (const std::string& name : TarnveldEffectList::names())
    templates->addEffect(name, TarnveldEffectList::newTemplate(name));
  data->addData("effectTemplatePool", templates);
  return data;
}

// The checker's template registry is scaffolding, not part of a demo run: its disposal banner
// would only interleave with the result.
void releaseQuietly(std::unique_ptr<Data>& data) {
  QuietConsole quiet;
  data.reset();
}

struct CheckResult {
  bool valid;
  std::string errorMessage;
  std::unique_ptr<Parameters> systemParameters;
  std::unique_ptr<Parameters> effectParameters;
  int lintErrors = 0;
};

CheckResult parseScript(const std::string& scriptPath) {
  DemoScriptParser parser(scriptPath);
  parser.parseDefaults(true);
  parser.parse();
  return {parser.isValid(), parser.getErrorMessage(),
          std::unique_ptr<Parameters>(parser.getParameterGroup("system_parameters")),
          std::unique_ptr<Parameters>(parser.getParameterGroup("effect_parameters"))};
}

CheckResult checkScript(const CheckOptions& options) {
  std::unique_ptr<Data> data = registerTemplates();
  QNVDemosys::data = data.get();
  QNVIO::init(options.archive ? QNVIO::QNV_RESOURCES_7Z : QNVIO::QNV_RESOURCES_FLAT);
  CheckResult result = parseScript(SCRIPT_DIRECTORY + options.script);
  if (result.valid) {
    DemoLint lint(SCRIPT_DIRECTORY + options.script, *result.systemParameters, *result.effectParameters);
    lint.run();
    lint.print(std::cerr);
    result.lintErrors = lint.errorCount();
  }
  QNVIO::destroy();
  QNVDemosys::data = nullptr;
  releaseQuietly(data);
  return result;
}

// The loader's message starts with its own line about what failed; the rest names the file.
std::string oneLine(const std::string& message) {
  std::string line;
  for (char c : message) line += (c == '\n' ? ' ' : c);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// Loads the demo in a real context; one error line per problem the driver reports.
int checkWithDriver(const CheckOptions& options) {
  const std::string script = SCRIPT_DIRECTORY + options.script;
  std::vector<std::string> problems;
  {
    QuietConsole quiet;
    DemoSession session(options.script, 320, 180);
    if (!session.load(options.archive, "check")) {
      problems.push_back("the demo does not load with OpenGL: " + oneLine(session.demo().getLoaderMessage()));
    } else {
      for (const auto& target : QNVDemosys::fboPool->targets().map()) {
        if (!target.second->isValid())
          problems.push_back("the driver cannot build framebuffer '" + target.first +
                             "': " + target.second->getStatusMessage());
      }
    }
  }
  for (const std::string& problem : problems) std::cerr << script << ": error: " << problem << "\n";
  std::cerr << std::flush;
  return static_cast<int>(problems.size());
}

int report(const CheckResult& result) {
  if (!result.valid) {
    const std::string& text = result.errorMessage;
    std::cout << text << (text.empty() || text.back() != '\n' ? "\n" : "") << std::flush;
    return 1;
  }
  if (result.lintErrors > 0) return 1;
  std::cout << "OK\n"
            << "system_parameters\n"
            << result.systemParameters->toString() << "effect_parameters\n"
            << result.effectParameters->toString() << std::flush;
  return 0;
}

}  // namespace

int runCheckCommand(const std::vector<std::string>& args) {
  CheckOptions options;
  if (!parseOptions(args, options)) {
    std::fprintf(stderr, "usage: demosys check [--archive] [--root DIR] [--gl] [SCRIPT]\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::current_path(options.root, error);
  if (error) {
    std::fprintf(stderr, "demosys check: cannot enter directory '%s'\n", options.root.c_str());
    return 2;
  }
  CheckResult result = checkScript(options);
  if (result.valid && options.gl) result.lintErrors += checkWithDriver(options);
  return report(result);
}
