// Demo script parsing with definition checking: a generated script of N effect
// instances with 20 parameters each (floats, ints, bools, listed options and
// "framebuffers[...]" references), parsed and validated per iteration. The
// time per script should grow linearly with N.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/Parameters.h"

namespace {

const int CLASS_COUNT = 5;
const int PARAMETERS_PER_KIND = 4;  // five kinds: 20 parameters per instance

std::string className(int c) { return "BenchEffect" + std::to_string(c); }

// Four parameters of each kind, numbered: f0..f3 float, i0..i3 int, b0..b3 bool, o0..o3 options,
// r0..r3 references.
std::string definitionText() {
  std::string text = "parameters {\n";
  for (int p = 0; p < PARAMETERS_PER_KIND; ++p) {
    const std::string n = std::to_string(p);
    text += "  f" + n + " [type=float] [default=1.0] [values=];\n";
    text += "  i" + n + " [type=int] [default=1] [values=];\n";
    text += "  b" + n + " [type=bool] [default=true] [values=];\n";
    text += "  o" + n + " [type=string] [default=add] [values=add,mul,sub,min,max];\n";
    text += "  r" + n + " [type=string] [default=main] [values=<string>];\n";
  }
  return text + "}\n";
}

std::string scriptText(const std::string& definitionDirectory, int instances) {
  std::ostringstream s;
  s << "{QNVDS1}\n// generated\npaths {\n  definition = " << definitionDirectory << ";\n}\n";
  s << "framebuffers {\n  main = width, height, COLOR_BUFFER;\n  aux = 512, 512, COLOR_BUFFER;\n}\n";
  for (int e = 0; e < instances; ++e) {
    s << "effect" << e << " * " << className(e % CLASS_COUNT) << " {  // instance " << e << "\n";
    for (int p = 0; p < PARAMETERS_PER_KIND; ++p) {
      s << "  f" << p << " = " << e % 7 << "." << p << ";\n";
      s << "  i" << p << " = -" << e + p << ";\n";
      s << "  b" << p << " = " << (p % 2 ? "true" : "false") << ";\n";
      s << "  o" << p << " = " << (p % 2 ? "mul" : "max") << ";\n";
      s << "  r" << p << " = framebuffers[" << (p % 2 ? "main" : "aux") << "];\n";
    }
    s << "}\n";
  }
  return s.str();
}

// The .def files and template registry shared by every run.
struct ScriptBenchFixture {
  ScriptBenchFixture() {
    directory = (std::filesystem::temp_directory_path() / "demosys-scriptbench").string() + "/";
    std::filesystem::create_directories(directory);
    auto* templates = new DataEffectPool();
    for (int c = 0; c < CLASS_COUNT; ++c) {
      std::ofstream(directory + className(c) + ".def") << definitionText();
      templates->addEffect(className(c), new Effect());
    }
    for (const char* block : {"system", "screen", "sound"})
      std::ofstream(directory + block + ".def") << "parameters { }";
    data.addData("effectTemplatePool", templates);
    QNVDemosys::data = &data;
  }
  ~ScriptBenchFixture() {
    QNVDemosys::data = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }

  std::string directory;
  Data data;
};

// The parser announces each definition load; keep that off the benchmark report.
class SilencedOutput {
 public:
  SilencedOutput() : saved(std::cout.rdbuf(sink.rdbuf())) {}
  ~SilencedOutput() { std::cout.rdbuf(saved); }

 private:
  std::ostringstream sink;
  std::streambuf* saved;
};

void BM_ParseAndValidateScript(benchmark::State& state) {
  static ScriptBenchFixture fixture;
  const int instances = static_cast<int>(state.range(0));
  const std::string text = scriptText(fixture.directory, instances);
  SilencedOutput silenced;
  for (auto _ : state) {
    DemoScriptParser parser("bench.txt", text);
    parser.parseDefaults(true);
    parser.parse();
    std::unique_ptr<Parameters> system(parser.getParameterGroup("system_parameters"));
    std::unique_ptr<Parameters> effects(parser.getParameterGroup("effect_parameters"));
    if (!parser.isValid() || effects->size() != instances)
      state.SkipWithError(parser.getErrorMessage().c_str());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.counters["instances"] = instances;
}

}  // namespace

BENCHMARK(BM_ParseAndValidateScript)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
