// Shaders on a real driver: the loader, uniforms, texture units, the pool and the instance family.
#include <GL/glew.h>

#include <memory>

#include "demosys/render/Shader.h"
#include "demosys/render/ShaderCache.h"
#include "demosys/render/ShaderColor.h"
#include "demosys/render/ShaderInstance.h"
#include "demosys/render/ShaderLoader.h"
#include "demosys/render/ShaderTexture.h"
#include "demosys/render/ShaderTextureColor.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/scene/QNVMaterial.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "tests/gl/GLTestFixture.h"

namespace {

const char* const passThroughVertex =
    "void main() { gl_Position = gl_Vertex; gl_TexCoord[0] = gl_MultiTexCoord0; }\n";

class ShaderTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    path = dir.path() + "/";
  }

  void writePair(const std::string& name, const std::string& vertex, const std::string& fragment) {
    dir.write(name + ".vert", vertex);
    dir.write(name + ".frag", fragment);
  }

  static void drawFullScreen() { glRectf(-1, -1, 1, 1); }
  static Rgba centre() { return readWindow(windowWidth / 2, windowHeight / 2); }

  // A texture of one colour, 2 x 2.
  static std::unique_ptr<Texture> solid(uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 4; ++i) pixels.insert(pixels.end(), {r, g, b, 255});
    return std::make_unique<Texture>(2, 2, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, pixels.data());
  }

  // A linked shader made directly from sources.
  static std::unique_ptr<Shader> program(const std::string& vertex, const std::string& fragment) {
    auto shader = std::make_unique<Shader>();
    EXPECT_TRUE(shader->setVertexSource(vertex)) << shader->getErrorMessage();
    EXPECT_TRUE(shader->setFragmentSource(fragment)) << shader->getErrorMessage();
    EXPECT_TRUE(shader->link()) << shader->getErrorMessage();
    return shader;
  }

  TempDir dir;
  std::string path;
  std::string errorMessage = "ResourceLoader : unknown";
  bool valid = true;
  bool verbose = false;
  ShaderLoader loader{errorMessage, valid, verbose};
};

TEST_F(ShaderTest, DefinesAndNestedIncludesCompileAndUniformsShowInThePixels) {
  writePair("tint", "#include vertex_common.glsl\n",
            "#include tint_level1.glsl\n"
            "uniform vec4 color;\nuniform float scale;\n"
            "void main() { gl_FragColor = tint(color) * scale; }\n");
  dir.write("vertex_common.glsl", passThroughVertex);
  dir.write("tint_level1.glsl", "#include tint_level2.glsl\nvec4 tint(vec4 c) { return c * TINT_FACTOR; }\n");
  dir.write("tint_level2.glsl",
            "#ifdef HALF_GREEN\nconst vec4 TINT_FACTOR = vec4(1.0, 0.5, 1.0, 1.0);\n"
            "#else\nconst vec4 TINT_FACTOR = vec4(1.0);\n#endif\n");
  verbose = true;
  Shader shader;
  testing::internal::CaptureStdout();
  bool loaded = loader.loadShader(&shader, "tint", path, {"tint", "HALF_GREEN", "UNUSED 4"});
  std::string printed = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(loaded) << errorMessage;
  EXPECT_EQ(printed,
            "0 : Including vertex_common.glsl from tint.vert\n"
            "0 : Including tint_level1.glsl from tint.frag\n"
            "1 : Including tint_level2.glsl from tint_level1.glsl\n");
  EXPECT_EQ(shader.getFragmentSource().rfind("#define HALF_GREEN\n#define UNUSED 4\n#ifdef HALF_GREEN\n", 0),
            0u);
  // Each file's final line end leaves one empty last line (the main file's and the included one's).
  EXPECT_EQ(shader.getVertexSource(),
            std::string("#define HALF_GREEN\n#define UNUSED 4\n") + passThroughVertex + "\n" + "\n");

  shader.use();
  shader.setUniform4f("color", 1.0f, 1.0f, 0.0f, 1.0f);
  shader.setUniform1f("scale", 1.0f);
  drawFullScreen();
  EXPECT_PRED3(near, centre(), (Rgba{255, 128, 0, 255}), 1);
  shader.setUniform1f("scale", 0.5f);
  drawFullScreen();
  EXPECT_PRED3(near, centre(), (Rgba{128, 64, 0, 255}), 1);
  shader.release();
  EXPECT_TRUE(valid);
}

// Each failure names the file or pair; a compile failure carries the driver's log and the line
// it names traced back to its file.
TEST_F(ShaderTest, LoaderFailuresNameTheFileAndCarryTheDriversLog) {
  const struct {
    const char* name;
    const char* vertex;
    const char* fragment;  // null: no fragment file
    std::string head;      // the message's start
    const char* logged;    // text from the driver's log
  } cases[] = {
      {"broken", passThroughVertex, "void main() { gl_FragColor = vec4(1.0) +; }\n",
       "Error while compiling fragment shader\nShader: broken.frag\n", "error"},
      {"vbroken", "void main() { gl_Position = undefinedThing; }\n", "void main() {}\n",
       "Error while compiling vertex shader\nShader: vbroken.vert\n", "undefinedThing"},
      {"unlinked", "void helper();\nvoid main() { helper(); gl_Position = gl_Vertex; }\n",
       "void main() { gl_FragColor = vec4(1.0); }\n", "Error while linking shader pair\nShader: unlinked\n", ""},
      {"lonely", passThroughVertex, nullptr, "Fragement shader 'lonely.frag' not found", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dir.write(std::string(c.name) + ".vert", c.vertex);
    if (c.fragment != nullptr) dir.write(std::string(c.name) + ".frag", c.fragment);
    valid = true;
    Shader shader;
    EXPECT_FALSE(loader.loadShader(&shader, c.name, path, {c.name}));
    EXPECT_FALSE(valid);
    EXPECT_TRUE(c.fragment == nullptr || !shader.isValid());
    ASSERT_EQ(errorMessage.rfind(c.head, 0), 0u) << errorMessage;
    EXPECT_NE(errorMessage.find(c.logged, c.head.size()), std::string::npos) << errorMessage;
    if (c.fragment == nullptr) {
      EXPECT_EQ(errorMessage, c.head);
    } else if (c.name == std::string("broken")) {
      EXPECT_EQ(errorMessage, c.head + shader.getErrorMessage() + "Line 1 is " + path + "broken.frag line 1\n");
    } else {
      EXPECT_GT(errorMessage.size(), c.head.size()) << "the driver's log follows";
    }
  }
}

// Column-major matrices; scalar and matrix setters report a missing uniform, vector setters do not.
TEST_F(ShaderTest, UniformSettersSetEveryComponentAndScalarOnesReportMissingNames) {
  auto shader = program(passThroughVertex,
                        "uniform mat4 m;\nuniform mat3 n;\nuniform int pick;\n"
                        "uniform vec2 a;\nuniform vec3 b;\nuniform vec4 c;\n"
                        "void main() { vec4 v = vec4(a.y, b.z, c.w, 1.0) + vec4(a.x + b.x + b.y + c.x + c.y + c.z);\n"
                        "  gl_FragColor = pick == 1 ? m[3] : pick == 2 ? vec4(n[2], 1.0) : v; }\n");
  shader->use();
  testing::internal::CaptureStdout();
  shader->setUniform1f("nope", 1.0f);
  shader->setUniform1i("nope", 1);
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  shader->setUniform3x3m("nope", identity);
  shader->setUniform4x4m("nope", identity);
  shader->setUniform2f("nope", 1, 2);
  shader->setUniform3f("nope", 1, 2, 3);
  shader->setUniform4f("nope", 1, 2, 3, 4);
  shader->setUniform2fv("nope", Vector2f(1.0f, 2.0f));
  shader->setUniform3fv("nope", Vector3f(1.0f, 2.0f, 3.0f));
  shader->setUniform4fv("nope", Vector4f(1.0f, 2.0f, 3.0f, 4.0f));
  const std::string line = "Error: Uniform variable 'nope' not found!\n";
  EXPECT_EQ(testing::internal::GetCapturedStdout(), line + line + line + line);

  const float m[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1};
  const float n[9] = {0, 0, 0, 0, 0, 0, 1, 0, 1};
  shader->setUniform4x4m("m", m);
  shader->setUniform3x3m("n", n);
  const std::pair<int, Rgba> picks[] = {{1, {0, 255, 0, 255}}, {2, {255, 0, 255, 255}}};
  for (const auto& [pick, colour] : picks) {
    shader->setUniform1i("pick", pick);
    drawFullScreen();
    EXPECT_PRED3(near, centre(), colour, 0) << "pick " << pick;
  }
  shader->setUniform1i("pick", 0);
  shader->setUniform2fv("a", Vector2f(0.0f, 1.0f));
  shader->setUniform3fv("b", Vector3f(0.0f, 0.0f, 0.5f));
  shader->setUniform4fv("c", Vector4f(0.0f, 0.0f, 0.0f, 0.25f));
  drawFullScreen();
  EXPECT_PRED3(near, centre(), (Rgba{255, 128, 64, 255}), 1);
  shader->setUniform2f("a", 0.0f, 0.0f);
  shader->setUniform3f("b", 0.0f, 0.0f, 0.0f);
  shader->setUniform4f("c", 0.0f, 0.0f, 0.0f, 1.0f);
  drawFullScreen();
  EXPECT_PRED3(near, centre(), (Rgba{0, 0, 255, 255}), 0);
  shader->release();
}

TEST_F(ShaderTest, TextureUnitsBindSamplersAndReleaseClearsUnitsZeroToTwo) {
  auto shader =
      program(passThroughVertex,
              "uniform sampler2D t0;\nuniform sampler2D t1;\nuniform sampler2D t2;\nuniform sampler2D t3;\n"
              "void main() { vec2 c = gl_TexCoord[0].st;\n"
              "  gl_FragColor = texture2D(t0, c) * 0.25 + texture2D(t1, c) * 0.25\n"
              "               + texture2D(t2, c) * 0.25 + texture2D(t3, c) * 0.25; }\n");
  auto red = solid(255, 0, 0), green = solid(0, 255, 0), blue = solid(0, 0, 255),
       white = solid(255, 255, 255);
  shader->use();
  shader->setTextureUnit0("t0", red.get());
  shader->setTextureUnit1("t1", green.get());
  shader->setTextureUnit2("t2", blue.get());
  shader->setTextureUnit3("t3", white.get());
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  EXPECT_EQ(active, GL_TEXTURE0) << "unit 0 is left active";
  drawFullScreen();  // the textures are of one colour: any coordinate samples it
  EXPECT_PRED3(near, centre(), (Rgba{128, 128, 128, 255}), 1);

  shader->release();
  GLint program = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  EXPECT_EQ(program, 0);
  std::vector<GLint> bound;
  for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1, GL_TEXTURE2, GL_TEXTURE3}) {
    glActiveTexture(unit);
    GLint name = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    bound.push_back(name);
    glDisable(GL_TEXTURE_2D);
  }
  EXPECT_EQ(bound, (std::vector<GLint>{0, 0, 0, static_cast<GLint>(white->getID())}))
      << "unit 3 is not cleared";
  glActiveTexture(GL_TEXTURE3);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
}

class ShaderPoolTest : public ShaderTest {
 protected:
  void SetUp() override {
    ShaderTest::SetUp();
    auto* paths = new ParameterGroup("paths");
    paths->addParameter("shaders", path);
    system.addGroup("paths", paths);
    shaders = new ParameterGroup("shaders");
    system.addGroup("shaders", shaders);
  }
  void writeColourShader(const std::string& name, const std::string& colour) {
    writePair(name, passThroughVertex, "void main() { gl_FragColor = vec4(" + colour + "); }\n");
  }
  Rgba drawWith(Shader* shader) {
    shader->use();
    drawFullScreen();
    shader->release();
    return centre();
  }

  Parameters system;
  ParameterGroup* shaders = nullptr;
  DataShaderPool pool;
};

TEST_F(ShaderPoolTest, LoadsEveryEntryAndReloadsInPlace) {
  writeColourShader("red", "1.0, 0.0, 0.0, 1.0");
  writePair("defined", passThroughVertex,
            "void main() {\n#ifdef BLUE\n gl_FragColor = vec4(0.0, 0.0, 1.0, 1.0);\n#else\n"
            " gl_FragColor = vec4(1.0);\n#endif\n}\n");
  shaders->addParameter("a_red", "red");
  shaders->addParameter("b_blue", " defined , BLUE ");
  verbose = true;
  testing::internal::CaptureStdout();
  ASSERT_TRUE(loader.loadShaders(system, pool)) << errorMessage;
  std::string printed = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(pool.exists("a_red") && pool.exists("b_blue"));
  EXPECT_EQ(printed.rfind("[Loading Shaders]\nShader path = " + path + "\n-> Reloading red\n", 0), 0u) << printed;
  EXPECT_PRED3(near, drawWith(pool.getShader("a_red")), (Rgba{255, 0, 0, 255}), 0);
  EXPECT_PRED3(near, drawWith(pool.getShader("b_blue")), (Rgba{0, 0, 255, 255}), 0);

  Shader* before = pool.getShader("a_red");
  writeColourShader("red", "0.0, 1.0, 0.0, 1.0");
  testing::internal::CaptureStdout();
  ASSERT_TRUE(loader.reloadShaders(system, pool)) << errorMessage;
  printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(pool.getShader("a_red"), before) << "reloaded in place";
  EXPECT_NE(printed.find("Adding shader 'b_blue'"), std::string::npos) << printed;
  EXPECT_EQ(printed.substr(printed.size() - 30), "[Reloading Shaders] ... Done!\n") << printed;
  EXPECT_PRED3(near, drawWith(before), (Rgba{0, 255, 0, 255}), 0);
}

TEST_F(ShaderPoolTest, FailedReloadStopsAndNamesTheShader) {
  writeColourShader("good", "1.0");
  writeColourShader("other", "1.0");
  shaders->addParameter("a", "good");
  shaders->addParameter("b", "other");
  testing::internal::CaptureStdout();
  ASSERT_TRUE(loader.loadShaders(system, pool));
  testing::internal::GetCapturedStdout();

  dir.write("good.frag", "void main() { syntax error }\n");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(loader.reloadShaders(system, pool));
  std::string printed = testing::internal::GetCapturedStdout();
  std::string expectedStart =
      "[Reloading Shaders]\nShader path = " + path +
      "\nError while recompiling 'good' : " + "Error while compiling fragment shader\nShader: good.frag\n";
  EXPECT_EQ(printed.rfind(expectedStart, 0), 0u) << printed;
  EXPECT_EQ(printed.find("Adding shader 'b'"), std::string::npos) << "later shaders are not reloaded";
  EXPECT_EQ(printed.find("Done!"), std::string::npos);
}

// Colour instances default to white; the colour-and-texture instance takes the material's diffuse
// texture under its colour; a texture instance without a material uses the shader alone. The
// coloured and the plain instances the production sets on its scenes, the golden frames show.
TEST_F(ShaderTest, InstancesSetTheirUniformsFromColourAndMaterial) {
  auto colour = program(passThroughVertex, "uniform vec4 color;\nvoid main() { gl_FragColor = color; }\n");
  auto texturedColour = program(passThroughVertex,
                                "uniform vec4 color;\nuniform sampler2D texture;\n"
                                "void main() { gl_FragColor = color * texture2D(texture, vec2(0.5)); }\n");
  auto yellow = solid(255, 255, 0);
  QNVMaterial material;
  material.setDiffuseTexture(yellow.get());
  ShaderColor white(colour.get());
  ShaderTextureColor magentaOnYellow(texturedColour.get());
  magentaOnYellow.setColor(1.0f, 0.0f, 1.0f, 1.0f);
  const struct {
    ShaderInstance* instance;
    QNVMaterial* material;
    Rgba expected;
  } cases[] = {{&white, nullptr, {255, 255, 255, 255}}, {&magentaOnYellow, &material, {255, 0, 0, 255}}};
  for (const auto& c : cases) {
    c.instance->use(c.material);
    drawFullScreen();
    c.instance->release();
    EXPECT_PRED3(near, centre(), c.expected, 0) << &c - cases;
  }
  ShaderTexture texture(texturedColour.get());
  texture.use(nullptr);  // no material: the shader alone
  texture.release();
}

// Counts destructions so that the cache's ownership can be seen.
class CountedInstance : public ShaderInstance {
 public:
  explicit CountedInstance(int& deaths) : deaths(deaths) {}
  ~CountedInstance() override { ++deaths; }

 private:
  int& deaths;
};

TEST(ShaderCacheTest, HoldsNamedInstancesAndDeletesThemWithItself) {
  int deaths = 0;
  auto* first = new CountedInstance(deaths);
  auto* second = new CountedInstance(deaths);
  {
    ShaderCache cache;
    cache.init();
    EXPECT_EQ(cache.getShaderInstance("glow"), nullptr);
    cache.addShaderInstance("glow", first);
    cache.addShaderInstance("wire", second);
    EXPECT_EQ(cache.getShaderInstance("glow"), first);
    EXPECT_EQ(cache.getShaderInstance("wire"), second);
  }
  EXPECT_EQ(deaths, 2);
}

}  // namespace
