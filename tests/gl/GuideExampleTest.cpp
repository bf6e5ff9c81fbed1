// The demo maker's guide, docs/guide.md, run as written: every "File `PATH`:" block is written to
// an empty directory, every sh block runs there (the built `demosys` first on the PATH, QUENVAR
// the source tree), and the frame it renders shows the tinted picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qnvutils/Image.h"
#include "tests/support/TempTree.h"

namespace {

struct Guide {
  std::vector<std::pair<std::string, std::string>> files;  // path, content
  std::vector<std::string> commands;                       // sh blocks
};

// The fenced block that starts after line i, its text; i is left on the closing fence.
std::string fencedBlock(const std::vector<std::string>& lines, std::size_t& i) {
  std::string text;
  for (++i; i < lines.size() && lines[i].rfind("```", 0) != 0; ++i) text += lines[i] + "\n";
  return text;
}

Guide readGuide(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  Guide guide;
  std::string pendingFile;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("File `", 0) == 0) {
      pendingFile = line.substr(6, line.find('`', 6) - 6);
    } else if (line == "```sh") {
      guide.commands.push_back(fencedBlock(lines, i));
    } else if (line.rfind("```", 0) == 0 && !pendingFile.empty()) {
      guide.files.push_back({pendingFile, fencedBlock(lines, i)});
      pendingFile.clear();
    }
  }
  return guide;
}

}  // namespace

TEST(GuideExample, RendersTheTintedPicture) {
  Guide guide = readGuide(std::string(DEMOSYS_SOURCE_DIR) + "/docs/guide.md");
  ASSERT_EQ(guide.files.size(), 4u);
  ASSERT_EQ(guide.commands.size(), 2u);
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  std::string environment = "cd '" + tree.path("") + "' && export QUENVAR='" + DEMOSYS_SOURCE_DIR +
                            "' PATH='" + std::filesystem::path(DEMOSYS_TOOL_PATH).parent_path().string() +
                            "':\"$PATH\" && set -e\n";
  ASSERT_EQ(std::system((environment + guide.commands[0]).c_str()), 0) << guide.commands[0];
  for (const auto& file : guide.files) tree.write(file.first, file.second);
  ASSERT_EQ(std::system((environment + guide.commands[1]).c_str()), 0) << guide.commands[1];

  Image frame(tree.path("frames/000000.png"));
  ASSERT_TRUE(frame.exists());
  ASSERT_EQ(frame.getWidth(), 320);
  const unsigned char* centre = frame.getData() + (static_cast<std::size_t>(90) * 320 + 160) *
                                                      static_cast<std::size_t>(frame.getPixelSize());
  // Orange (255, 165, 0) tinted by (1, 0.8, 0.6), fully faded in at two seconds.
  EXPECT_NEAR(centre[0], 255, 2);
  EXPECT_NEAR(centre[1], 132, 2);
  EXPECT_NEAR(centre[2], 0, 2);
}
