// The GL tools: `demosys render` (sizes, frame counts, videos with the song, the tools' own virtual
// screen) and the `demosys scene` commands on scenes the test writes itself: a stage written by
// SceneWriter, a glTF 2.0 file with its buffer embedded as base64, and an OBJ + MTL pair.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "qnvutils/Image.h"
#include "tests/gl/DemoProduction.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/ScenePreviewRun.h"
#include "tests/support/BuildTree.h"
#include "tests/support/SceneSamples.h"
#include "tests/support/TempTree.h"

namespace {

// ffprobe's answer for the given entries of the file's streams of one kind (v or a), one stream a line.
std::string probe(std::string file, const std::string& kind, const std::string& entries) {
  for (std::size_t at = file.find('\''); at != std::string::npos; at = file.find('\'', at + 4))
    file.replace(at, 1, "'\\''");
  return runCommand("ffprobe -v error -count_frames -select_streams " + kind + " -show_entries stream=" +
                    entries + " -of csv=p=0 '" + file + "'");
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(production.ok()); }
  DemoProduction production;
};

// The fixture's effects draw nothing of their own, so each frame is the cleared screen: black in
// the 16:9 band and in the bands above and below it.
TEST_F(RenderCommand, SingleFramesHaveTheSizeAskedForAndShowTheClearedScreen) {
  ProgramRun run = production.runTool("render --size 160x120 --at 0:00:050 --at 120 --out .");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Rendered 2 frames"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("[Demo Init]"), std::string::npos) << "loaded as the demo loads";
  for (const char* name : {"000000.png", "000001.png"}) {
    Image image(production.path(name));
    ASSERT_EQ(image.getWidth(), 160) << name;
    ASSERT_EQ(image.getHeight(), 120) << name;
    const unsigned char* p = image.getData();
    ASSERT_NE(p, nullptr);
    for (std::size_t i = 0; i < image.getDataSize(); ++i) ASSERT_EQ(p[i], 0) << name << " byte " << i;
  }
}

// The frames' folder is made when missing; the run ends with its frame-time statistics.
TEST_F(RenderCommand, RangeAtAFixedStep) {
  ProgramRun run = production.runTool("render --size 64x36 --fps 25 --from 0:00:100 --to 260 --out new/frames");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Rendered 5 frames"), std::string::npos) << run.out;
  EXPECT_TRUE(std::filesystem::exists(production.path("new/frames/000004.png")));
  EXPECT_FALSE(std::filesystem::exists(production.path("new/frames/000005.png")));
  EXPECT_NE(run.out.find("Frame time : median "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(" (5 frames)"), std::string::npos) << run.out;
}

// The song's audio follows the container (AAC in MP4, Vorbis in Matroska), from the tree or the
// archive, over the rendered range; no song, no audio stream. The encoder gets the video's name as
// it is, quote and space included.
TEST_F(RenderCommand, VideosCarryTheFramesAndTheSong) {
  const struct {
    const char* options;
    const char* file;
    const char* video;  // width,height,frames as ffprobe gives them
    const char* audio;  // codec, or empty for none
    double seconds;
  } videos[] = {{"--size 160x120 --fps 10 --from 0 --to 900", "out.mp4", "160,120,10\n", "aac", 1.0},
                {"--size 64x36 --fps 10 --from 500 --to 800", "out.mkv", "64,36,4\n", "vorbis", -1},
                {"--size 64x36 --fps 10 --to 200", "it's quiet.mp4", "64,36,3\n", "", -1},
                {"--archive --size 64x36 --fps 10 --to 400", "archive.mp4", "64,36,5\n", "aac", 0.5}};
  ASSERT_TRUE(production.archiveOnly());  // made before the song is turned off; the tree is put back
  std::filesystem::rename(production.path("resources-packed"), production.path("resources"));
  for (const auto& v : videos) {
    SCOPED_TRACE(v.file);
    if (v.audio[0] == '\0') {
      production.setBlock("sound", "file = song.wav; play = 0;");
      production.writeScript();
    }
    if (std::string(v.options).rfind("--archive", 0) == 0)
      std::filesystem::rename(production.path("resources"), production.path("resources-packed"));
    ProgramRun run = production.runTool(std::string("render ") + v.options + " --video \"" + v.file + "\"");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(probe(production.path(v.file), "v", "width,height,nb_read_frames"), v.video);
    const std::string audio = probe(production.path(v.file), "a", "codec_name,duration");
    EXPECT_EQ(audio.substr(0, audio.find(',')), v.audio) << audio;
    EXPECT_EQ(std::count(audio.begin(), audio.end(), '\n'), v.audio[0] == '\0' ? 0 : 1) << "one audio stream: " << audio;
    if (v.seconds > 0) {
      EXPECT_NEAR(std::stod(audio.substr(audio.find(',') + 1)), v.seconds, 0.05) << audio;
    }
  }
}

// The camera lens sets the view's field in its predraw, for the frame after: Tarnveld's zoom.
TEST(RenderCapture, FrameDrawnAloneIsTheFrameOfTheSequence) {
  TempTree out;
  ASSERT_TRUE(out.ok());
  const std::string render = "'" + std::string(DEMOSYS_TOOL_PATH) + "' render --root '" +
                             buildTreePath("tarnveld") + "' --size 320x180 --fps 8 ";
  int status = -1;
  runCommand(render + "--from 0:15:000 --to 0:15:500 --out '" + out.path("sequence") + "'", &status);
  ASSERT_EQ(status, 0);
  runCommand(render + "--at 0:15:500 --out '" + out.path("alone") + "'", &status);
  ASSERT_EQ(status, 0);
  const std::string last = out.read("sequence/000004.png");
  EXPECT_FALSE(last.empty());
  EXPECT_TRUE(last == out.read("alone/000000.png")) << "the frame at 0:15:500 differs when drawn alone";
}

TEST(RenderCapture, ProgressLineOnlyOnATerminal) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  const std::string render = "render --size 64x36 --at 0 --at 50 --at 100 --out .";
  const ProgramRun piped = production.runTool(render);
  ASSERT_EQ(piped.status, 0) << piped.out;
  EXPECT_EQ(piped.out.find(" fps "), std::string::npos) << piped.out;
  // script(1) gives the tool a terminal and copies what it writes there.
  const std::string onTerminal =
      runCommand("cd '" + production.path("") + "' && script -qec \"'" + std::string(DEMOSYS_TOOL_PATH) + "' " +
                 render + "\" /dev/null");
  EXPECT_NE(onTerminal.find("frame 3/3"), std::string::npos) << onTerminal;
}

TEST(VirtualScreen, GLToolsWorkWithoutADisplay) {
  DemoProduction production;
  ASSERT_TRUE(production.ok());
  const std::pair<const char*, const char*> runs[] = {{"pack script", "packresources.sh"},
                                                      {"render --size 64x36 --at 0 --out .", "000000.png"}};
  for (const auto& run : runs) {
    // The display is taken away from the tool alone; the tests' own X server stays.
    int status = -1;
    const std::string out = runCommand("cd '" + production.path("") + "' && env -u DISPLAY timeout 60 '" +
                                           DEMOSYS_TOOL_PATH + "' " + run.first + " 2>&1",
                                       &status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << run.first << "\n" << out;
    EXPECT_TRUE(std::filesystem::exists(production.path(run.second))) << run.first << "\n" << out;
  }
}

std::string base64(const std::string& bytes) {
  static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
    for (std::size_t k = 0; k < 4; ++k) out += i + k <= bytes.size() + (k == 0) ? digits[(v >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

// The unit cube's corners, one tuple at a time: (position, normal) pairs.
std::vector<std::pair<Vector3f, Vector3f>> cubeCorners() {
  const SceneMesh cube = sampleCube(0, "cube");
  std::vector<std::pair<Vector3f, Vector3f>> corners;
  for (std::size_t t = 0; t < cube.indices.size(); t += 3) {
    corners.push_back({cube.positions[cube.indices[t]], cube.normals[cube.indices[t + 1]]});
  }
  return corners;
}

std::string gltf() {
  std::string buffer;
  auto put = [&buffer](float f) { buffer.append(reinterpret_cast<const char*>(&f), 4); };
  for (const auto& c : cubeCorners()) for (int k = 0; k < 3; ++k) put(c.first[k]);
  for (const auto& c : cubeCorners()) for (int k = 0; k < 3; ++k) put(c.second[k]);
  for (float f : {0.0f, 2.0f, 0.0f, 1.5f, 0.0f, 5.0f, 1.5f, 0.0f}) put(f);
  return R"({"asset": {"version": "2.0"}, "scene": 0, "scenes": [{"nodes": [0, 2, 3]}],
    "nodes": [{"name": "stand", "children": [1]},
              {"name": "tower", "mesh": 0, "translation": [0, 1.5, 0], "scale": [1, 3, 1]},
              {"name": "eye", "camera": 0, "translation": [0, 1.5, 10]},
              {"name": "side", "camera": 1, "translation": [10, 1.5, 0], "rotation": [0, 0.7071068, 0, 0.7071068]}],
    "cameras": [{"type": "perspective", "perspective": {"yfov": 0.8, "znear": 0.1}},
                {"type": "perspective", "perspective": {"yfov": 0.8, "znear": 0.1}}],
    "materials": [{"name": "paint", "pbrMetallicRoughness": {"baseColorFactor": [0, 1, 0, 1]}}],
    "meshes": [{"primitives": [{"attributes": {"POSITION": 0, "NORMAL": 1}, "material": 0}]}],
    "animations": [{"channels": [{"sampler": 0, "target": {"node": 1, "path": "translation"}}],
                    "samplers": [{"input": 2, "output": 3}]}],
    "accessors": [
      {"bufferView": 0, "componentType": 5126, "count": 36, "type": "VEC3", "min": [-0.5, -0.5, -0.5], "max": [0.5, 0.5, 0.5]},
      {"bufferView": 1, "componentType": 5126, "count": 36, "type": "VEC3"},
      {"bufferView": 2, "componentType": 5126, "count": 2, "type": "SCALAR", "min": [0], "max": [2]},
      {"bufferView": 3, "componentType": 5126, "count": 2, "type": "VEC3"}],
    "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 432}, {"buffer": 0, "byteOffset": 432, "byteLength": 432},
                    {"buffer": 0, "byteOffset": 864, "byteLength": 8}, {"buffer": 0, "byteOffset": 872, "byteLength": 24}],
    "buffers": [{"byteLength": 896, "uri": "data:application/octet-stream;base64,)" + base64(buffer) + "\"}]}";
}

// Two boxes: the tower (y 0 to 3) and the cap (y 3 to 4) of the second, textured material.
std::string obj() {
  std::string text = "mtllib tower.mtl\n";
  const char* parts[] = {"tower", "cap"};
  const auto corners = cubeCorners();
  for (int part = 0; part < 2; ++part) {
    text += std::string("o ") + parts[part] + "\nusemtl " + parts[part] + "\n";
    for (const auto& c : corners) {
      const float y = part == 0 ? (c.first[1] + 0.5f) * 3.0f : c.first[1] + 3.5f;
      text += "v " + std::to_string(c.first[0]) + " " + std::to_string(y) + " " + std::to_string(c.first[2]) + "\n";
    }
    for (int v = 36 * part + 1; v <= 36 * part + 36; v += 3) {
      text += "f " + std::to_string(v) + " " + std::to_string(v + 1) + " " + std::to_string(v + 2) + "\n";
    }
  }
  return text;
}

class SceneImport : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.file("model"));
    std::filesystem::create_directories(dir.file("out"));
    dir.write("model/tower.gltf", gltf());
    dir.write("model/tower.obj", obj());
    dir.write("model/tower.mtl", "newmtl tower\nKd 0 1 0\nnewmtl cap\nKa 0.2 0.2 0\nKd 1 1 0\nmap_Kd tex.png\n");
    ASSERT_TRUE(writePNG(dir.file("model/tex.png"), 2, 2, 3, std::vector<uint8_t>(12, 200)));
  }
  // Imports the model into out/NAME.bin and returns what `scene info` says about it.
  std::string import(const std::string& model, const std::string& name, const std::string& options = "") {
    ToolRun run = ToolRun::of("scene import " + dir.file("model/" + model) + " " + scene(name) + " " + options);
    EXPECT_EQ(run.status, 0) << run.out;
    return ToolRun::of("scene info " + scene(name)).out;
  }
  std::string scene(const std::string& name) const { return dir.file("out/" + name + ".bin"); }
  ScenePreviewRun render(const std::string& name, const std::string& options) {
    return ScenePreviewRun::of(scene(name), dir.file("preview.png"), options);
  }
  TempDir dir;
};

TEST_F(SceneImport, GltfHierarchyMaterialCameraAndAnimation) {
  const std::string info = import("tower.gltf", "g");
  for (const char* line : {"12 triangles, box (-0.5, -0.5, -0.5) to (0.5, 0.5, 0.5)", "diffuse (0, 1, 0)",
                           "'eye' at (0, 1.5, 10), 1 keys", "'stand' parent 1", "'tower' parent 2, 3 keys", "'tower_scale' parent 3, mesh 0, material 0"}) {
    EXPECT_NE(info.find(line), std::string::npos) << line << " in\n" << info;
  }
  ScenePreviewRun framed = render("g", "");
  EXPECT_TRUE(framed.hues[GREEN].upright() && framed.borderClear);
  // The cameras face the tower until the tower has moved 5 units to the side.
  EXPECT_EQ(render("g", "--camera eye --at 0").centre, GREEN);
  EXPECT_EQ(render("g", "--camera side --at 0").centre, GREEN);
  EXPECT_EQ(render("g", "--camera eye --at 2000").centre, BACKGROUND);
}

TEST_F(SceneImport, ObjWithMaterialsTextureAndUpAxis) {
  const std::string info = import("tower.obj", "o");
  for (const char* line : {"texture 0 'tex.png': tex.png", "ambient (0.2, 0.2, 0), diffuse (1, 1, 0), texture 0",
                           "box (-0.5, 3, -0.5) to (0.5, 4, 0.5)"}) {
    EXPECT_NE(info.find(line), std::string::npos) << line << " in\n" << info;
  }
  EXPECT_TRUE(std::filesystem::exists(dir.file("out/tex.png")));
  ScenePreviewRun p = render("o", "");
  EXPECT_TRUE(p.hues[GREEN].upright());
  EXPECT_GT(p.hues[YELLOW].meanRow(), p.hues[GREEN].meanRow());
  // A z-up source: the tower's height runs along -z after the turn.
  EXPECT_NE(import("tower.obj", "z", "--up z").find("box (-0.5, -0.5, -4) to (0.5, 0.5, -3)"), std::string::npos);
}

TEST_F(SceneImport, UnreadableAndEmptyModelsAreRefused) {
  dir.write("model/empty.obj", "# nothing\n");
  for (const char* model : {"missing.gltf", "empty.obj"}) {
    ToolRun run = ToolRun::of("scene import " + dir.file(std::string("model/") + model) + " " + scene("x"));
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("demosys scene import: "), std::string::npos) << run.out;
  }
}

SceneMaterial colour(int id, const std::string& name, const Vector3f& diffuse) {
  return {id, name, Vector3f(0, 0, 0), diffuse, -1};
}

SceneDescription stage() {
  SceneDescription scene;
  scene.meshes.push_back(sampleCube(1, "cube"));
  scene.materials = {colour(1, "green", Vector3f(0, 1, 0)), colour(2, "yellow", Vector3f(1, 1, 0)),
                     colour(3, "blue", Vector3f(0, 0, 1))};
  // Positions in the engine's axes, y up.
  SceneNode column = sampleNode(1, SCENE_NODE_MESH, -1, 1, "column", Vector3f(3, 1.5f, 0), 1);
  column.matrix[5] = 3.0f;
  scene.nodes = {column, sampleNode(2, SCENE_NODE_MESH, -1, 1, "cap", Vector3f(3, 3.5f, 0), 2),
                 sampleNode(3, SCENE_NODE_MESH, -1, 1, "block", Vector3f(-3, 0.5f, 0), 3),
                 sampleNode(10, SCENE_NODE_CAMERA, -1, 0, "front", Vector3f(3, 1.5f, 10))};
  // Rotation x 90 is a level camera: the engine's view looks along -z, at the stage's front.
  SceneAnimation move{SCENE_TARGET_CAMERA, 10, {0.0f, 2.0f}, {Vector3f(3, 1.5f, 10), Vector3f(-3, 0.5f, 10)}, {}};
  move.rotations = {Vector3f(90, 0, 0), Vector3f(90, 0, 0)};
  scene.animations.push_back(move);
  return scene;
}

class SceneRender : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(SceneWriter::writeFiles(stage(), dir.file("stage.bin"), error)) << error;
  }
  ScenePreviewRun render(const std::string& options) {
    return ScenePreviewRun::of(dir.file("stage.bin"), dir.file("preview.png"), options);
  }
  TempDir dir;
};

TEST_F(SceneRender, FramedStageStandsUprightOnBothPaths) {
  for (const char* path : {"", "--instanced"}) {
    SCOPED_TRACE(path);
    ScenePreviewRun p = render(path);
    ASSERT_EQ(p.status, 0) << p.out;
    const Extent& column = p.hues[GREEN];
    ASSERT_GT(column.count, 500);
    EXPECT_GT(p.hues[BLUE].count, 100);
    EXPECT_EQ(p.hues[RED].count, 0);
    // Taller than wide, the cap above it, and the whole stage inside the picture.
    EXPECT_TRUE(column.upright());
    EXPECT_GT(p.hues[YELLOW].meanRow(), column.meanRow());
    EXPECT_TRUE(p.borderClear);
  }
}

TEST_F(SceneRender, StylesAndCameras) {
  const int solidGreen = render("").hues[GREEN].count;
  struct Case {  // red boxes drawn, any object colour seen, the hue at the centre
    const char* options;
    bool red, meshes;
    Hue centre;
  } cases[] = {{"--bbox", true, false, BACKGROUND},
               {"--bbox --instanced", true, false, BACKGROUND},
               {"--camera front --at 0", false, true, GREEN},
               {"--camera front --at 2000 --instanced", false, true, BLUE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    ScenePreviewRun p = render(c.options);
    ASSERT_EQ(p.status, 0) << p.out;
    EXPECT_EQ(p.hues[RED].count > 0, c.red);
    EXPECT_EQ(p.hues[GREEN].count + p.hues[YELLOW].count + p.hues[BLUE].count > 0, c.meshes);
    EXPECT_EQ(p.centre, c.centre);
  }
  const int wireGreen = render("--wireframe").hues[GREEN].count;
  EXPECT_TRUE(wireGreen > 0 && wireGreen < solidGreen / 2) << wireGreen << " of " << solidGreen;
}

TEST_F(SceneRender, UnknownCameraIsRefusedWithTheSceneCameras) {
  const std::string scene = dir.file("stage.bin");
  ToolRun run = ToolRun::of("scene render " + scene + " --out " + dir.file("p.png") + " --camera no");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("no camera 'no' in " + scene + " (cameras: 'front')"), std::string::npos) << run.out;
}

}  // namespace
