// demosys effects: the reference of every registered effect class.
//   effects [--root DIR] [--definitions DIR] [--markdown] [CLASS]
// For each class (or the one named), in registration order: its parameters as its .def file
// declares them (name, type, default, allowed values; read from DIR/resources/definitions/ unless
// --definitions names another directory), its tracks in registration order, and the resources
// its init() looks up, by parameter or by fixed name, and the shader uniforms its own source sets
// by fixed name (scanned from the effects' sources at build time). --markdown writes the same as
// the page docs/effects.md holds.
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demosys/resources/QNVIO.h"
#include "demosys/script/EffectDefinition.h"
#include "demosys/script/EffectDefinitionParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "production/TarnveldEffectList.h"
#include "tools/DemoSession.h"
#include "tools/EffectCatalog.h"
#include "tools/ToolCommand.h"

namespace {

struct EffectsOptions {
  DemoSource source;
  std::string definitions = "resources/definitions/";
  bool markdown = false;
  std::string className;
};

bool parseOptions(const std::vector<std::string>& args, EffectsOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--markdown") {
      options.markdown = true;
    } else if (args[i] == "--definitions" && i + 1 < args.size()) {
      options.definitions = args[++i];
      if (!options.definitions.empty() && options.definitions.back() != '/') options.definitions += "/";
    } else if (args[i] == "--root" && i + 1 < args.size()) {
      options.source.root = args[++i];
    } else if (args[i].rfind("--", 0) == 0 || !options.className.empty()) {
      return false;
    } else {
      options.className = args[i];
    }
  }
  return true;
}

struct ParameterRow {
  std::string name, type, defaultValue, values;
};

struct ClassReference {
  std::string name;
  std::vector<ParameterRow> parameters;
  EffectNeeds needs;
};

// Class name -> the uniforms its sources set by a fixed name, in name order.
const std::map<std::string, std::vector<std::string>> UNIFORMS = {
#include "EffectUniforms.inc"
};

const std::vector<std::string>& uniformsOf(const std::string& className) {
  static const std::vector<std::string> none;
  auto found = UNIFORMS.find(className);
  return found == UNIFORMS.end() ? none : found->second;
}

std::vector<ParameterRow> parameterRows(const EffectDefinition& definition) {
  std::vector<ParameterRow> rows;
  const Parameters* declared = definition.getParameters();
  for (int i = 0; declared != nullptr && i < declared->size(); ++i) {
    const ParameterGroup* attributes = declared->getValue(i);
    std::string type = attributes->getParameter("type");
    std::string values = type == "string" ? attributes->getParameter("values") : "";
    rows.push_back({declared->getKey(i), type, attributes->getParameter("default"), values});
  }
  return rows;
}

// The class's reference, its dry init run with the definition's defaults; false with a line on
// standard error when the definition is missing or malformed.
bool describe(const std::string& name, const std::string& definitions, ClassReference& reference) {
  EffectDefinitionParser parser(definitions + name + ".def");
  std::unique_ptr<EffectDefinition> definition(parser.parse());
  if (!definition) {
    std::fprintf(stderr, "demosys effects: %s\n", parser.getErrorMessage().c_str());
    return false;
  }
  std::unique_ptr<ParameterGroup> defaults(definition->getDefaults());
  reference.name = name;
  reference.parameters = parameterRows(*definition);
  return learnEffectNeeds(name, *defaults, reference.needs);
}

std::string lookupText(const EffectResources::Lookup& lookup, const std::string& quote) {
  std::string what = lookup.kind + (lookup.optional ? " (optional)" : "");
  if (lookup.parameterKey.empty()) return what + " " + quote + lookup.name + quote + " (fixed name)";
  return what + " named by parameter " + quote + lookup.parameterKey + quote;
}

std::string joined(const std::vector<std::string>& items, const std::string& quote) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + quote + item + quote;
  return text.empty() ? "none" : text;
}

void printText(const ClassReference& reference) {
  std::cout << reference.name << "\n  parameters:";
  if (reference.parameters.empty()) std::cout << " none";
  std::cout << "\n";
  for (const ParameterRow& row : reference.parameters) {
    std::cout << "    " << row.name << " " << row.type << " default " << row.defaultValue;
    if (!row.values.empty()) std::cout << " values " << row.values;
    std::cout << "\n";
  }
  std::cout << "  tracks: " << joined(reference.needs.tracks, "") << "\n  uniforms: "
            << joined(uniformsOf(reference.name), "") << "\n  looks up:";
  if (reference.needs.lookups.empty()) std::cout << " nothing";
  std::cout << "\n";
  for (const EffectResources::Lookup& lookup : reference.needs.lookups)
    std::cout << "    " << lookupText(lookup, "") << "\n";
}

void printMarkdown(const ClassReference& reference) {
  std::cout << "\n## " << reference.name << "\n\n";
  if (reference.parameters.empty()) {
    std::cout << "Parameters: none.\n";
  } else {
    std::cout << "| parameter | type | default | allowed values |\n|---|---|---|---|\n";
    for (const ParameterRow& row : reference.parameters) {
      std::cout << "| `" << row.name << "` | " << row.type << " | `" << row.defaultValue << "` | "
                << (row.values.empty() ? "" : "`" + row.values + "`") << " |\n";
    }
  }
  std::cout << "\nTracks, in registration order: " << joined(reference.needs.tracks, "`") << ".\n";
  std::cout << "\nShader uniforms it sets: " << joined(uniformsOf(reference.name), "`") << ".\n";
  std::cout << "\nLooks up:" << (reference.needs.lookups.empty() ? " nothing.\n" : "\n\n");
  for (const EffectResources::Lookup& lookup : reference.needs.lookups)
    std::cout << "- " << lookupText(lookup, "`") << "\n";
}

const char* const MARKDOWN_HEAD =
    "# Effect classes\n\n"
    "Generated by `demosys effects --markdown`; do not edit by hand. For each effect class a demo\n"
    "script can name (`instance * Class { ... }`), in registration order: the parameters its `.def`\n"
    "file declares, the tracks it registers (the names a timeline's `track` lines may use for it),\n"
    "the shader uniforms it sets by a fixed name (what its shaders may declare; a uniform the shader\n"
    "lacks is ignored, and reported once by the tools), and the resources its `init()` looks up in\n"
    "the pools, by the name a parameter holds or by a fixed name. A lookup that finds nothing makes\n"
    "the effect draw nothing.\n";

}  // namespace

int runEffectsCommand(const std::vector<std::string>& args) {
  EffectsOptions options;
  if (!parseOptions(args, options)) {
    std::fprintf(stderr, "usage: demosys effects [--root DIR] [--definitions DIR] [--markdown] [CLASS]\n");
    return 2;
  }
  if (!options.source.enter("effects")) return 2;
  std::vector<std::string> classes = TarnveldEffectList::names();
  if (!options.className.empty()) {
    if (TarnveldEffectList::newTemplate(options.className) == nullptr) {
      std::fprintf(stderr, "demosys effects: no effect class '%s'\n", options.className.c_str());
      return 1;
    }
    classes = {options.className};
  }
  QNVIO::init(QNVIO::QNV_RESOURCES_FLAT);
  if (options.markdown) std::cout << MARKDOWN_HEAD;
  for (const std::string& name : classes) {
    ClassReference reference;
    if (!describe(name, options.definitions, reference)) return 1;
    options.markdown ? printMarkdown(reference) : printText(reference);
  }
  std::cout << std::flush;
  return 0;
}
