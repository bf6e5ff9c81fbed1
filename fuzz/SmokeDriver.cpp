// Stand-in for libFuzzer's driver in ordinary builds: replays every file of a
// seed corpus, then feeds deterministic mutations of them for a few seconds.
// Usage: smoke_<name> CORPUS_DIR [SECONDS]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<Bytes> readCorpus(const char* dir) {
  std::vector<Bytes> corpus;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (corpus.empty()) corpus.push_back({});
  return corpus;
}

Bytes mutate(Bytes b, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int i = 0; i < edits; ++i) {
    switch (rng() % 4) {
      case 0:
        if (!b.empty()) b[rng() % b.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
      case 1:
        if (!b.empty()) b.resize(rng() % b.size());
        break;
      case 2:
        b.insert(b.begin() + (b.empty() ? 0 : rng() % b.size()), static_cast<uint8_t>(rng()));
        break;
      default:
        if (!b.empty()) b[rng() % b.size()] = static_cast<uint8_t>(rng());
        break;
    }
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  const char* dir = argc > 1 ? argv[1] : ".";
  const double seconds = argc > 2 ? std::atof(argv[2]) : 3.0;
  const std::vector<Bytes> corpus = readCorpus(dir);
  for (const Bytes& b : corpus) LLVMFuzzerTestOneInput(b.data(), b.size());

  std::mt19937 rng(12345);
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  long runs = static_cast<long>(corpus.size());
  while (std::chrono::steady_clock::now() < end) {
    const Bytes input = mutate(corpus[rng() % corpus.size()], rng);
    LLVMFuzzerTestOneInput(input.data(), input.size());
    ++runs;
  }
  std::printf("smoke: %ld inputs, no crash\n", runs);
  return 0;
}
