// The `demosys` subcommands run as a user would, on one tree of inputs: every command's answers and
// refusals; evaluation against the engine and round trips live in their own suites.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/SceneSamples.h"
#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

namespace {

class ToolCommands : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tree = new TempTree;
    tree->write("resources/scripts/demoscript.txt", "{QNVDS1}\r\n");
    tree->write("resources/data/bytes.bin", std::string("\x00\x01\xff", 3));
    ASSERT_TRUE(tree->archive("resources.7z", "-ms=on", {"resources"}));
    tree->write("text.7z", "not an archive");
    tree->write("fly.ani",
                "QNVANI1\r\nkeyframes 4\r\npos 0 0 0\r\nrot 0 0\r\npos 0 0 10\r\nrot 10 90\r\n"
                "pos 0 0 20\r\nrot 20 180\r\npos 0 0 30\r\nrot 30 270\r\n");
    tree->write("bad.ani", "QNVANI2\nkeyframes 0\n");
    SceneDescription scene = sampleScene();
    std::string error;
    ASSERT_TRUE(SceneWriter::writeFiles(scene, tree->path("s.bin"), error)) << error;
    scene.meshes[0].indices.pop_back();
    ASSERT_TRUE(SceneWriter::writeFiles(scene, tree->path("bad.bin"), error)) << error;
    tree->write("bad.txt", "effect e\n  start 1\n  start 1\n");
    tree->write("timeline.txt", "effect scene\n  start 4 sceneFBO\n  stop 100\n  track alpha\n    0 LINEAR 0\n");
    ASSERT_EQ(ToolRun::of("tracks build " + at("timeline.txt") + " " + at("pack")).status, 0);
  }
  static void TearDownTestSuite() { delete tree; }

  // The tree's path of `relative`, with "@/" standing for the tree in expected texts.
  static std::string at(const std::string& relative) { return tree->path(relative); }
  static std::string expand(std::string text) {
    for (std::size_t i; (i = text.find("@/")) != std::string::npos;) text.replace(i, 2, at(""));
    return text;
  }

  static inline TempTree* tree = nullptr;
};

struct Case {
  const char* args;
  int status;
  std::string out;
  bool whole;  // the whole output, or text it contains
  bool withErrors = true;
};

const std::string SOURCE = DEMOSYS_SOURCE_DIR;

}  // namespace

TEST_F(ToolCommands, AnswersAndRefusals) {
  const Case cases[] = {
      {"--help", 0, "version", false},
      {"frobnicate", 2, "unknown command 'frobnicate'", false},
      {"pack ls @/resources.7z", 0, "           3  resources/data/bytes.bin\n          10  resources/scripts/demoscript.txt\n",
       false},
      {"pack cat @/resources.7z resources/data/bytes.bin", 0, std::string("\x00\x01\xff", 3), true, false},
      {"pack cat @/resources.7z resources/scripts/demoscript.txt", 0, "{QNVDS1}\r\n", true, false},
      {"pack cat @/resources.7z resources/Data/bytes.bin", 1, "no entry 'resources/Data/bytes.bin'", false},
      {"pack ls @/missing.7z", 1, "cannot read archive", false},
      {"pack cat @/text.7z x", 1, "cannot read archive", false},
      {"path eval @/fly.ani 0.5", 0, "position 0 0 15 pitch 15 heading 135\n", true},
      {"path eval @/fly.ani 1", 1, "demosys path: @/fly.ani: OUT OF RANGE 3\n", true},
      {"path eval @/fly.ani 1 --catmull", 1, "demosys path: @/fly.ani: OUT OF RANGE [0] -> 1\n", true},
      {"path eval @/bad.ani 0.5", 1,
       "demosys path: Error while loading animation data File : '@/bad.ani' have invalid header\n", true},
      {"path print @/fly.ani", 0,
       "QNVANI1\nkeyframes 4\npos 0 0 0\nrot 0 0\npos 0 0 10\nrot 10 90\npos 0 0 20\nrot 20 180\n"
       "pos 0 0 30\nrot 30 270\n",
       true},
      {"scene info @/s.bin", 0,
       "meshes 1\n"
       "  mesh 7 'cube': 36 tuples, 12 triangles, box (-0.5, -0.5, -0.5) to (0.5, 0.5, 0.5)\n"
       "textures 1\n  texture 3 'checker': checker.png\n"
       "materials 1\n  material 5 'paint': ambient (0.1, 0.2, 0.3), diffuse (0.4, 0.5, 0.6), texture 3\n"
       "lights 1\n  light 9 'sun' type 1 colour (1, 0.9, 0.8), 0 keys\n"
       "cameras 1\n  camera 4 'view' at (0, -8, 1), 2 keys\n"
       "objects 3\n  1 'pivot' parent -1, 0 keys\n    2 'left' parent 1, mesh 7, material 5, 3 keys\n"
       "    3 'right' parent 1, mesh 7, material 5, 0 keys\n",
       true},
      {"scene info @/bad.bin", 1, "Object '@/bad.bin': mesh 'cube' has 107 indices, not a multiple of 3\n", true},
      {"scene info @/none.bin", 1, "Object '@/none.bin' not found\n", true},
      {"tracks dump @/nowhere", 1,
       "demosys tracks: Failed to load track data!\nFile : '@/nowhere/index.list'\nThe file is missing\n", true},
      {"tracks build @/bad.txt @/out", 1, "demosys tracks: @/bad.txt: line 3: row 1 appears twice\n", true},
      {"tracks eval @/pack scene alpha 10 0", 1, "demosys tracks: ROWRATE must be from 1 to 1000\n", true},
      {"tracks eval @/pack scene beta 10", 1, "demosys tracks: no track 'beta' for effect 'scene' in '@/pack'\n",
       true},
      {"tracks frob", 2, "demosys tracks dump DIR", false},
      {"check --bogus", 2, "usage: demosys check [--archive] [--root DIR] [--gl] [SCRIPT]\n", true},
      {"check a.txt b.txt", 2, "usage: demosys check [--archive] [--root DIR] [--gl] [SCRIPT]\n", true},
      {"check --root", 2, "usage: demosys check [--archive] [--root DIR] [--gl] [SCRIPT]\n", true},
      {"check --root /nonexistent/dir", 2, "demosys check: cannot enter directory '/nonexistent/dir'\n", true},
      {"effects GlowEfect", 1, "demosys effects: no effect class 'GlowEfect'\n", true},
  };
  for (const Case& c : cases) {
    const std::string args = expand(c.args);
    SCOPED_TRACE(args);
    const std::string expected = expand(c.out);
    const ToolRun run = ToolRun::of(args, c.withErrors);
    EXPECT_EQ(run.status, c.status) << run.out;
    if (c.whole) {
      EXPECT_EQ(run.out, expected);
    } else {
      EXPECT_NE(run.out.find(expected), std::string::npos) << run.out;
    }
  }
  const ToolRun glow = ToolRun::of("effects --root '" + SOURCE + "' GlowEffect");
  EXPECT_EQ(glow.out.rfind("GlowEffect\n", 0), 0u) << glow.out;
  EXPECT_NE(glow.out.find("framebuffer named by parameter source_fbo"), std::string::npos) << glow.out;
}
