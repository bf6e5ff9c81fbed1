// Resource loading: every entry of a non-solid "resources.7z" (7z -ms=off -mx=9) by name,
// in shuffled order, through QNVIO::loadFile, next to the same files from the directory
// tree. The archive figure includes QNVIO::init, where the archive is opened and decoded.
// Trees of 100 entries (~10 MB) and 200 entries (~20 MB) of mixed text and image-like
// data are built once per run in a temporary directory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "demosys/resources/QNVIO.h"
#include "qnvutils/File.h"

namespace {

const char* const WORDS[] = {"shader", "texture", "effect",        "track",  "keyframe", "scene", "camera",
                             "light",  "flag",    "glow",          "blur",   "0.75",     "=",     "{",
                             "}",      "1024",    "GL_TEXTURE_2D", "mipmap", "row",      "time"};

std::string textResource(std::size_t size, std::mt19937& rng) {
  std::string text;
  while (text.size() < size) {
    text += WORDS[rng() % 20];
    text += (rng() % 8 == 0) ? "\n" : " ";
  }
  text.resize(size);
  return text;
}

// Smooth colour gradients with a little noise, like decoded photographs or renders.
std::string imageResource(std::size_t size, std::mt19937& rng) {
  std::string pixels(size, '\0');
  const double fx = 0.01 + (rng() % 100) / 5000.0, fy = 0.02 + (rng() % 100) / 7000.0;
  for (std::size_t i = 0; i < size; ++i) {
    const std::size_t pixel = i / 3, x = pixel % 256, y = pixel / 256;
    const double base = 127.5 + 100.0 * std::sin(x * fx + (i % 3)) * std::cos(y * fy);
    pixels[i] = static_cast<char>(static_cast<int>(base) + static_cast<int>(rng() % 9) - 4);
  }
  return pixels;
}

struct ResourceTree {
  std::string root;
  std::vector<std::string> names;  // shuffled load order
  std::size_t totalBytes = 0;
};

ResourceTree buildTree(int entries) {
  ResourceTree tree;
  std::string pattern = (std::filesystem::temp_directory_path() / "demosys-bench-XXXXXX").string();
  tree.root = mkdtemp(&pattern[0]);
  std::mt19937 rng(static_cast<uint32_t>(entries));
  for (int i = 0; i < entries; ++i) {
    const bool text = i % 2 == 0;
    const std::size_t size = 20000 + rng() % 160000;  // ~100 KB on average
    const std::string name = std::string("resources/") + (text ? "scripts/res" : "gfx/img") +
                             std::to_string(i) + (text ? ".txt" : ".raw");
    const std::filesystem::path path = tree.root + "/" + name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << (text ? textResource(size, rng) : imageResource(size, rng));
    tree.names.push_back(name);
    tree.totalBytes += size;
  }
  const std::string pack =
      "cd '" + tree.root + "' && 7z a -bd -ms=off -mx=9 resources.7z resources >/dev/null";
  if (std::system(pack.c_str()) != 0) std::abort();
  std::shuffle(tree.names.begin(), tree.names.end(), rng);
  return tree;
}

// Built on first use, removed when the benchmark program ends.
struct Trees {
  ~Trees() {
    std::error_code ignored;
    for (const auto& entry : byCount) std::filesystem::remove_all(entry.second.root, ignored);
  }
  std::map<int, ResourceTree> byCount;
};

const ResourceTree& treeOf(int entries) {
  static Trees trees;
  auto found = trees.byCount.find(entries);
  if (found == trees.byCount.end()) found = trees.byCount.emplace(entries, buildTree(entries)).first;
  return found->second;
}

void loadAll(benchmark::State& state, int resourceType) {
  const ResourceTree& tree = treeOf(static_cast<int>(state.range(0)));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(tree.root);
  for (auto _ : state) {
    QNVIO::init(resourceType);
    for (const std::string& name : tree.names) {
      std::unique_ptr<File> file(QNVIO::loadFile(name));
      if (!file->exists()) state.SkipWithError("missing resource");
      benchmark::DoNotOptimize(file->getFileSize());
    }
    QNVIO::destroy();
  }
  std::filesystem::current_path(previous);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tree.totalBytes));
  state.counters["archiveMB"] =
      static_cast<double>(std::filesystem::file_size(tree.root + "/resources.7z")) / 1048576.0;
}

void BM_LoadAllFromDirectory(benchmark::State& state) { loadAll(state, QNVIO::QNV_RESOURCES_FLAT); }
void BM_LoadAllFromArchive(benchmark::State& state) { loadAll(state, QNVIO::QNV_RESOURCES_7Z); }

}  // namespace

BENCHMARK(BM_LoadAllFromDirectory)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAllFromArchive)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
