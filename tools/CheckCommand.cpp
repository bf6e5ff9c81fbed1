// demosys check: lints a demo script by parsing it exactly as the engine's loader does.
//   check [--archive] [--root DIR] [SCRIPT]
// SCRIPT is a file name inside "resources/scripts/" (default "demoscript.txt"), read with
// everything it refers to from the directory tree under DIR (default "."), or with --archive
// from "resources.7z" in DIR. Definition checking is on and one template is registered for
// each effect class Tarnveld registers, so the script passes here exactly when it passes in
// the demo. The engine's own lines come first; then either the parser's error text (exit 1)
// or "OK" and the two parameter collections, each under its name (exit 0).
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/Parameters.h"
#include "production/TarnveldEffectList.h"
#include "tools/ToolCommand.h"

namespace {

const char* const SCRIPT_DIRECTORY = "resources/scripts/";

struct CheckOptions {
  bool archive = false;
  std::string root = ".";
  std::string script = "demoscript.txt";
};

bool parseOptions(const std::vector<std::string>& args, CheckOptions& options) {
  bool scriptGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--archive") {
      options.archive = true;
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

// The template pool as the demo's entry function fills it. The checker needs only the names,
// so each class is stood in for by a plain Effect.
std::unique_ptr<Data> registerTemplates() {
  auto data = std::make_unique<Data>();
  auto* templates = new DataEffectPool();
  for (const std::string& name : TarnveldEffectList::names()) templates->addEffect(name, new Effect());
  data->addData("effectTemplatePool", templates);
  return data;
}

// The checker's template registry is scaffolding, not part of a demo run: its disposal banner
// would only interleave with the result.
void releaseQuietly(std::unique_ptr<Data>& data) {
  std::ostringstream discarded;
  std::streambuf* console = std::cout.rdbuf(discarded.rdbuf());
  data.reset();
  std::cout.rdbuf(console);
}

struct CheckResult {
  bool valid;
  std::string errorMessage;
  std::unique_ptr<Parameters> systemParameters;
  std::unique_ptr<Parameters> effectParameters;
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
  QNVIO::destroy();
  QNVDemosys::data = nullptr;
  releaseQuietly(data);
  return result;
}

int report(const CheckResult& result) {
  if (!result.valid) {
    const std::string& text = result.errorMessage;
    std::cout << text << (text.empty() || text.back() != '\n' ? "\n" : "") << std::flush;
    return 1;
  }
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
    std::fprintf(stderr, "usage: demosys check [--archive] [--root DIR] [SCRIPT]\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::current_path(options.root, error);
  if (error) {
    std::fprintf(stderr, "demosys check: cannot enter directory '%s'\n", options.root.c_str());
    return 2;
  }
  return report(checkScript(options));
}
