// Fuzzes the demo script parser with definition checking on: arbitrary script
// text against a fixed set of .def files and registered effect templates,
// written once to a temporary directory. Every "%DEFS%" in the input is
// replaced with that directory, so seeds can point their "paths" block at it.
// A parse either succeeds with every instance carrying its class, or fails
// with one error text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

namespace {

const char* const PLACEHOLDER = "%DEFS%";

// Every declared type, option lists, "<string>" values, a default that fails its own type and an
// unsupported type; OddEffect is registered without a .def, NoTemplate has a .def but no template.
const char* const DEFINITIONS[][2] = {
    {"system", "parameters { rowrate [type=int] [default=20] [values=]; }"},
    {"screen",
     "parameters { width [type=int] [default=640] [values=]; near [type=float] [default=1.0] [values=]; }"},
    {"sound", "parameters { file [type=string] [default=] [values=<string>]; }"},
    {"GlowEffect",
     "parameters { source [type=string] [default=main] [values=<string>];"
     " mode [type=string] [default=add] [values=add, mul,sub]; } methods { m(1, two ,3); }"},
    {"BlendEffect",
     "parameters { opacity [type=float] [default=1.0] [values=]; count [type=int] [default=3] [values=];"
     " on [type=bool] [default=true] [values=]; }"},
    {"BadEffect", "parameters { size [type=float] [values=]; colour [type=rgb] [default=1] [values=]; }"},
    {"NoTemplate", "parameters { }"},
};
const char* const TEMPLATES[] = {"GlowEffect", "BlendEffect", "BadEffect", "OddEffect"};

std::string makeDefinitionDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "demoscript-fuzz-XXXXXX").string();
  if (mkdtemp(&pattern[0]) == nullptr) std::abort();
  for (const auto& definition : DEFINITIONS) {
    std::ofstream(pattern + "/" + definition[0] + ".def") << definition[1];
  }
  return pattern + "/";
}

// The .def directory and the template registry, alive for the whole run.
struct Fixture {
  Fixture() : directory(makeDefinitionDirectory()), data(std::make_unique<Data>()) {
    auto* templates = new DataEffectPool();
    for (const char* name : TEMPLATES) templates->addEffect(name, new Effect());
    data->addData("effectTemplatePool", templates);
    QNVDemosys::data = data.get();
  }
  ~Fixture() {
    QNVDemosys::data = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }

  std::string directory;
  std::unique_ptr<Data> data;
};

const Fixture& fixture() {
  static const Fixture instance;
  return instance;
}

std::string substitutePlaceholder(std::string text, const std::string& directory) {
  for (std::string::size_type at = text.find(PLACEHOLDER); at != std::string::npos;
       at = text.find(PLACEHOLDER, at + directory.size())) {
    text.replace(at, std::char_traits<char>::length(PLACEHOLDER), directory);
  }
  return text;
}

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  DemoScriptParser parser("fuzz.txt", substitutePlaceholder(text, fixture().directory));
  parser.parseDefaults(true);
  parser.parse();
  std::unique_ptr<Parameters> system(parser.getParameterGroup("system_parameters"));
  std::unique_ptr<Parameters> effects(parser.getParameterGroup("effect_parameters"));
  require(parser.isValid() == (parser.getErrorMessage() == "Unknown error"));
  if (!parser.isValid()) return 0;
  for (int i = 0; i < effects->size(); ++i) require(effects->getValue(i)->exist("class"));
  system->toString();
  return 0;
}
