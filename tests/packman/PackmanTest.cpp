#include "Packman/Packman.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "Packman/PackmanArchive.h"
#include "tests/support/TempTree.h"

namespace {

std::string pseudoRandom(std::size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  return bytes;
}

std::string lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + " of the demo script\n";
  return text;
}

// The same resource tree packed both ways, with entries whose sizes are multiples of
// 64 KiB next to odd-sized and empty ones, all in one solid block for the solid archive.
class PackmanArchives : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    files = {
        {"resources/a.bin", pseudoRandom(65536, 1)},
        {"resources/b.txt", "three"},
        {"resources/big.bin", pseudoRandom(131072, 2)},
        {"resources/empty.txt", ""},
        {"resources/scripts/demoscript.txt", lines(5000)},
        {"resources/Scene.DAT", pseudoRandom(70001, 3)},
    };
    for (const auto& f : files) tree.write(f.first, f.second);
    ASSERT_TRUE(tree.archive("test.7z", GetParam(), {"resources"}));
    ASSERT_EQ(packman_init(tree.path("test.7z").c_str()), 0);
  }
  void TearDown() override { packman_shutdown(); }

  std::string extract(const std::string& name) {
    const int64_t size = packman_getFileSize(name.c_str());
    EXPECT_GE(size, 0) << name;
    std::vector<unsigned char> out(static_cast<std::size_t>(size > 0 ? size : 0) + 1);
    EXPECT_EQ(packman_getFile(name.c_str(), out.data()), 0) << name;
    return std::string(out.begin(), out.begin() + size);
  }

  TempTree tree;
  std::vector<std::pair<std::string, std::string>> files;
};

}  // namespace

TEST_P(PackmanArchives, EveryEntryExtractsExactlyAndNamesMatchExactly) {
  EXPECT_EQ(packman_getFileCount(), files.size());  // directories are not entries
  for (const auto& f : files) {
    EXPECT_EQ(packman_getFileSize(f.first.c_str()), static_cast<int64_t>(f.second.size())) << f.first;
    EXPECT_EQ(extract(f.first), f.second) << f.first;
  }
  // Out of order and repeated requests give the same bytes.
  EXPECT_EQ(extract("resources/a.bin"), files[0].second);
  for (uint32_t i = 0; i < packman_getFileCount(); ++i) {
    const char* name = packman_getFileName(i);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(packman_getFileIndex(name), i);
    EXPECT_EQ(packman_getFileSizeAt(i), packman_getFileSize(name));
  }
  EXPECT_EQ(packman_getFileName(packman_getFileCount()), nullptr);
  EXPECT_EQ(packman_getFileSizeAt(packman_getFileCount()), -1);
  for (const char* miss : {"resources/B.txt", "./resources/b.txt", "resources//b.txt", "resources\\b.txt",
                           "resources/scene.dat", "resources", "resources/", "b.txt", ""}) {
    EXPECT_EQ(packman_getFileIndex(miss), 0xFFFFFFFFu) << miss;
    EXPECT_EQ(packman_getFileSize(miss), -1) << miss;
    unsigned char out[8];
    EXPECT_EQ(packman_getFile(miss, out), 1) << miss;
  }
}

INSTANTIATE_TEST_SUITE_P(SolidAndNot, PackmanArchives,
                         ::testing::Values("-ms=off", "-ms=on", "-ms=on -mx=9 -m0=PPMd"));

TEST(PackmanFailures, MissingForeignAndTruncatedArchivesOpenNothing) {
  TempTree tree;
  tree.write("text.7z", "this is not an archive");
  tree.write("empty.7z", "");
  for (const char* name : {"missing.7z", "text.7z", "empty.7z"}) {
    EXPECT_EQ(packman_init(tree.path(name).c_str()), 1) << name;
    EXPECT_EQ(packman_getFileCount(), 0u) << name;
  }
  EXPECT_EQ(packman_init(nullptr), 1);
  tree.write("r/one.txt", lines(2000));
  tree.write("r/two.bin", pseudoRandom(50000, 9));
  ASSERT_TRUE(tree.archive("full.7z", "-ms=on", {"r"}));
  const std::string full = tree.read("full.7z");
  for (std::size_t keep : {std::size_t(6), std::size_t(32), full.size() / 2, full.size() - 1}) {
    tree.write("cut.7z", full.substr(0, keep));
    // The previous archive is gone even when the next one cannot be opened.
    ASSERT_EQ(packman_init(tree.path("full.7z").c_str()), 0);
    EXPECT_GE(packman_getFileSize("r/one.txt"), 0);
    EXPECT_EQ(packman_init(tree.path("cut.7z").c_str()), 1) << keep;
    EXPECT_EQ(packman_getFileSize("r/one.txt"), -1) << keep;
  }
  // Nor does a second archive that opens keep the first one's entries.
  ASSERT_TRUE(tree.archive("other.7z", "", {"r/two.bin"}));
  ASSERT_EQ(packman_init(tree.path("full.7z").c_str()), 0);
  ASSERT_EQ(packman_init(tree.path("other.7z").c_str()), 0);
  EXPECT_EQ(packman_getFileSize("r/one.txt"), -1);
  EXPECT_EQ(packman_getFileCount(), 1u);
  packman_shutdown();
}

TEST(PackmanFailures, CrcMismatchFailsOnlyThatEntry) {
  TempTree tree;
  const std::string good = "the first entry, intact";
  const std::string damaged = "the second entry, whose stored bytes will change";
  tree.write("r/good.txt", good);
  tree.write("r/zdamaged.txt", damaged);
  // Stored (no compression) so a flipped byte still decodes, but to the wrong data.
  ASSERT_TRUE(tree.archive("stored.7z", "-mx=0", {"r"}));
  std::string bytes = tree.read("stored.7z");
  const std::size_t at = bytes.find("whose");
  ASSERT_NE(at, std::string::npos);
  bytes[at] ^= 0x20;
  tree.write("stored.7z", bytes);

  ASSERT_EQ(packman_init(tree.path("stored.7z").c_str()), 0);
  std::vector<unsigned char> out(damaged.size());
  EXPECT_NE(packman_getFileIndex("r/zdamaged.txt"), 0xFFFFFFFFu);  // listed, but it fails to extract
  EXPECT_EQ(packman_getFile("r/zdamaged.txt", out.data()), 1);
  out.resize(good.size());
  EXPECT_EQ(packman_getFile("r/good.txt", out.data()), 0);
  EXPECT_EQ(std::string(out.begin(), out.end()), good);
  packman_shutdown();
}

TEST(PackmanFailures, DamagedBytesNeverComeBackAsData) {
  TempTree tree;
  const std::string text = lines(3000);
  const std::string data = pseudoRandom(100000, 4);
  tree.write("r/text.txt", text);
  tree.write("r/data.bin", data);
  ASSERT_TRUE(tree.archive("a.7z", "-ms=on", {"r"}));
  const std::string original = tree.read("a.7z");
  int extracted = 0;
  for (std::size_t at = 0; at < original.size(); at += original.size() / 150 + 1) {
    std::string bytes = original;
    bytes[at] ^= 0x5a;
    PackmanArchive archive;
    if (!archive.openMemory(bytes.data(), bytes.size())) continue;
    for (uint32_t i = 0; i < archive.count(); ++i) {
      const PackmanArchive::Entry& e = archive.entry(i);
      std::string out(e.size(), '\0');
      if (!archive.extract(i, reinterpret_cast<unsigned char*>(&out[0]))) continue;
      ++extracted;
      EXPECT_EQ(out, e.name == "r/text.txt" ? text : data) << "byte " << at << " entry " << e.name;
    }
  }
  EXPECT_GT(extracted, 0);
  // The intact archive from memory: nothing past its entries, and nothing once closed.
  PackmanArchive archive;
  ASSERT_TRUE(archive.openMemory(original.data(), original.size()));
  ASSERT_EQ(archive.count(), 2u);
  EXPECT_FALSE(archive.extract(2, nullptr));
  archive.close();
  EXPECT_FALSE(archive.isOpen());
  EXPECT_EQ(archive.find("r/text.txt"), PackmanArchive::NOT_FOUND);
}
