// `demosys check` of the fixture production with one demo maker's mistake each: the line the
// tool must print for it and the exit status; the fixture itself checks clean. Decoded pictures
// of any depth reach the texture loader as 8-bit RGB or RGBA.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"

namespace {

const char* const TIMELINE_HEAD = "rowrate 20\neffect show priority 0\n";

struct Mistake {
  const char* name;
  std::function<bool(DemoProduction&)> make;
  const char* line;  // expected in the output
};

bool timeline(DemoProduction& demo, const std::string& body) {
  return demo.buildTracks(TIMELINE_HEAD + body);
}

bool block(DemoProduction& demo, const std::string& name, const std::string& body) {
  demo.setBlock(name, body);
  demo.writeScript();
  return true;
}

const Mistake mistakes[] = {
    {"class name typo",
     [](DemoProduction& d) {
       return block(d, "show * MasterDroidEffect", "") && block(d, "show * FlagEfect", "a = 1;");
     },
     "Defaults for block 'FlagEfect' not found!"},
    {"missing texture",
     [](DemoProduction& d) { return block(d, "graphics", "logo = logo.png; gone = gone.png;"); },
     "resources/scripts/demoscript.txt:18: error: texture 'gone': file 'resources/graphics/gone.png' not "
     "found"},
    {"missing shader", [](DemoProduction& d) { return block(d, "shaders", "flat = flat; gone = gone;"); },
     "resources/scripts/demoscript.txt:12: error: shader 'gone': file 'resources/shaders/gone.vert' not "
     "found"},
    {"int where GLSL 1.10 wants a float",
     [](DemoProduction& d) {
       d.write("resources/shaders/flat.frag",
               "void main() {\n  float x = 1;\n  gl_FragColor = vec4(x);\n}\n");
       return block(d, "shaders", "flat = flat, EXTRA;");
     },
     "resources/shaders/flat.frag:2: error: GLSL 1.10 (shader 'flat'): "},
    {"missing song", [](DemoProduction& d) { return block(d, "sound", "file = gone.wav; play = 1;"); },
     "error: song: file 'resources/sound/gone.wav' not found"},
    {"effect of the timeline missing from the script",
     [](DemoProduction& d) { return timeline(d, "start 0\nstop 9\neffect ghost\nstart 0\nstop 9\n"); },
     "resources/tracks/index.list: error: effect 'ghost' of the timeline is not an effect instance of the "
     "demo "
     "script"},
    {"track typo",
     [](DemoProduction& d) { return timeline(d, "start 0\nstop 9\ntrack alpah\n0 LINEAR 1\n"); },
     "error: effect 'show': MasterDroidEffect has no track 'alpah' (its tracks: none)"},
    {"unknown target", [](DemoProduction& d) { return timeline(d, "start 0 nowhere\nstop 9\n"); },
     "error: effect 'show': start at row 0 draws into 'nowhere', which is not a framebuffer of the script"},
    {"stop without a start", [](DemoProduction& d) { return timeline(d, "stop 5\nstart 10\nstop 20\n"); },
     "error: effect 'show': stop at row 5 without a start"},
};

}  // namespace

TEST(CheckLint, FixtureProductionChecksClean) {
  DemoProduction demo;
  ASSERT_TRUE(demo.ok());
  ProgramRun r = demo.runTool("check");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("error:"), std::string::npos) << r.out;
}

TEST(CheckLint, EachMistakeIsOneLineAndFailsTheCheck) {
  for (const Mistake& mistake : mistakes) {
    DemoProduction demo;
    ASSERT_TRUE(demo.ok());
    ASSERT_TRUE(mistake.make(demo)) << mistake.name;
    ProgramRun r = demo.runTool("check");
    EXPECT_EQ(r.status, 1) << mistake.name << "\n" << r.out;
    EXPECT_NE(r.out.find(mistake.line), std::string::npos) << mistake.name << "\n" << r.out;
  }
}

// ImageMagick writes each kind; the decoded copy has 8-bit channels, alpha only where the picture has it.
TEST(CheckLint, PicturesOfEveryDepthDecodeToEightBitColour) {
  struct Kind {
    const char* options;
    int pixelSize;
    unsigned char first[4];
  } kinds[] = {
      {"xc:'rgb(200,100,50)' -depth 16 PNG48:", 3, {200, 100, 50, 0}},
      {"xc:'rgba(200,100,50,0.5)' -depth 16 PNG64:", 4, {200, 100, 50, 128}},
      {"xc:'gray(120)' -depth 8 PNG8:", 3, {120, 120, 120, 0}},
      {"xc:'gray(120)' -depth 16 -type Grayscale PNG:", 3, {120, 120, 120, 0}},
  };
  DemoProduction demo;
  ASSERT_TRUE(demo.ok());
  for (const Kind& kind : kinds) {
    std::string file = demo.path("picture.png");
    std::string command = std::string("convert -size 2x2 ") + kind.options + "'" + file + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    Image image(file);
    ASSERT_TRUE(image.exists()) << kind.options;
    EXPECT_EQ(image.getPixelSize(), kind.pixelSize) << kind.options;
    EXPECT_EQ(image.getBpp(), kind.pixelSize * 8) << kind.options;
    for (int c = 0; c < kind.pixelSize; ++c)
      EXPECT_NEAR(image.getData()[c], kind.first[c], 1) << kind.options << " channel " << c;
  }
}
