// Text toolkit throughput: what the script parser does per line.
#include <benchmark/benchmark.h>

#include <string>

#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

static void BM_TokenizeScriptLine(benchmark::State& state) {
  const std::string line = "    glow.intensity = 0.75; glow.radius = 12; texture = flare.png;";
  for (auto _ : state) {
    StringTokenizer t(line, "=;", true);
    benchmark::DoNotOptimize(t.countTokens());
  }
}
BENCHMARK(BM_TokenizeScriptLine);

static void BM_IsFloat(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(StringUtils::isFloat("-123.4567"));
}
BENCHMARK(BM_IsFloat);
