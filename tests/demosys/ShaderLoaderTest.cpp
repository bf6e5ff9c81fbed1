// The loaders' work before GL: shader source preprocessing and texture entries; compiling and
// uploading are tested with a GL context in tests/gl.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "demosys/render/Shader.h"
#include "demosys/render/ShaderLoader.h"
#include "demosys/render/TextureLoader.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "tests/support/TempTree.h"

namespace {

class ShaderLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    dir = tree.path("shaders/");
  }

  // Expands the given main file's lines as the loader does for a stage.
  bool expand(const std::string& text, const std::string& filename = "main.vert") {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else {
        line += c;
      }
    }
    lines.push_back(line);
    return loader.shaderInclude(out, lines, dir, filename, 0);
  }

  TempTree tree;
  std::string dir;
  std::string errorMessage = "ResourceLoader : unknown";
  bool valid = true;
  bool verbose = false;
  ShaderLoader loader{errorMessage, valid, verbose};
  std::string out;
};

TEST_F(ShaderLoaderTest, EntryItemsAreTrimmedAndBecomeDefinitionsAfterTheBaseName) {
  EXPECT_EQ(ShaderLoader::parseParams("plain"), (std::vector<std::string>{"plain"}));
  EXPECT_EQ(ShaderLoader::parseParams(" light , FOG,  MAX_LIGHTS 4 ,, "),
            (std::vector<std::string>{"light", "FOG", "MAX_LIGHTS 4"}));
  EXPECT_TRUE(ShaderLoader::parseParams("").empty());

  std::string defines;
  ShaderLoader::addShaderParams(defines, {"plain"});
  EXPECT_EQ(defines, "");
  ShaderLoader::addShaderParams(defines, {"light", "FOG", "MAX_LIGHTS 4"});
  EXPECT_EQ(defines, "#define FOG\n#define MAX_LIGHTS 4\n");
}

// Other directives and an indented #include are copied; includes expand recursively from the shader
// directory, words after the name ignored.
TEST_F(ShaderLoaderTest, IncludesExpandRecursivelyAndOtherLinesAreCopied) {
  tree.write("shaders/a.glsl", "// a\n#include sub/b.glsl\nfloat a;");
  tree.write("shaders/sub/b.glsl", "// b\n#include c.glsl");
  tree.write("shaders/c.glsl", "float c;");
  ASSERT_TRUE(expand("#version 110\n#include\n  #include indented.glsl\n#include  a.glsl trailing words\nvoid main() {}"));
  EXPECT_EQ(out, "#version 110\n#include\n  #include indented.glsl\n// a\n// b\nfloat c;\nfloat a;\nvoid main() {}\n");
  EXPECT_TRUE(valid);
}

TEST_F(ShaderLoaderTest, MissingIncludeNamesTheLineTheFileAndTheDepth) {
  EXPECT_FALSE(expand("#include nowhere.glsl"));
  EXPECT_EQ(errorMessage, "Failed to include '#include nowhere.glsl' in main.vert depth 0");
  EXPECT_FALSE(valid);

  valid = true;
  out.clear();
  tree.write("shaders/a.glsl", "float a;\n#include  gone.glsl");
  EXPECT_FALSE(expand("#include a.glsl"));
  EXPECT_EQ(errorMessage, "Failed to include '#include  gone.glsl' in a.glsl depth 1");
}

TEST_F(ShaderLoaderTest, IncludeCycleIsRefusedInsteadOfRecursingForever) {
  tree.write("shaders/a.glsl", "#include b.glsl");
  tree.write("shaders/b.glsl", "#include a.glsl");
  EXPECT_FALSE(expand("#include a.glsl"));
  EXPECT_FALSE(valid);
  EXPECT_EQ(errorMessage.rfind("Failed to include '#include a.glsl' in b.glsl depth 32\n", 0), 0u)
      << errorMessage;
  EXPECT_NE(errorMessage.find("cycle"), std::string::npos);
}

TEST_F(ShaderLoaderTest, DeepButFiniteNestingUpToTheLimitExpands) {
  for (int i = 1; i < ShaderLoader::maxIncludeDepth; ++i) {
    tree.write("shaders/n" + std::to_string(i) + ".glsl", "#include n" + std::to_string(i + 1) + ".glsl");
  }
  tree.write("shaders/n" + std::to_string(ShaderLoader::maxIncludeDepth) + ".glsl", "float deepest;");
  ASSERT_TRUE(expand("#include n1.glsl")) << errorMessage;
  EXPECT_EQ(out, "float deepest;\n");
}

TEST_F(ShaderLoaderTest, LoadStageStopsAtAnEntryWhoseFilesAreMissing) {
  Parameters system;
  auto* paths = new ParameterGroup("paths");
  paths->addParameter("shaders", dir);
  system.addGroup("paths", paths);
  auto* shaders = new ParameterGroup("shaders");
  shaders->addParameter("first", "missing, FOG");
  system.addGroup("shaders", shaders);
  DataShaderPool pool;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(loader.loadShaders(system, pool));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "[Loading Shaders]\nShader path = " + dir + "\n-> Reloading missing, FOG\n");
  EXPECT_EQ(errorMessage, "Vertex shader 'missing.vert' not found");
  EXPECT_FALSE(pool.exists("first"));
}

TEST(TextureEntryTest, FileAloneIsATwoDimensionalTextureWithoutMipmaps) {
  TextureEntry entry;
  std::string error;
  ASSERT_TRUE(TextureLoader::parseEntry(" logo.png ", entry, error));
  EXPECT_EQ(entry.file, "logo.png");
  EXPECT_EQ(entry.type, static_cast<unsigned>(GL_TEXTURE_2D));
  EXPECT_FALSE(entry.mipmap);
  EXPECT_EQ(error, "");
}

TEST(TextureEntryTest, TypeAndMipmapOptions) {
  TextureEntry entry;
  std::string error;
  ASSERT_TRUE(TextureLoader::parseEntry("ramp.png, GL_TEXTURE_1D", entry, error));
  EXPECT_EQ(entry.type, static_cast<unsigned>(GL_TEXTURE_1D));
  EXPECT_FALSE(entry.mipmap);
  ASSERT_TRUE(TextureLoader::parseEntry("a.png, GL_TEXTURE_2D, GEN_MIPMAP", entry, error));
  EXPECT_TRUE(entry.mipmap);
  ASSERT_TRUE(TextureLoader::parseEntry("v.png,GL_TEXTURE_3D", entry, error));
  EXPECT_EQ(entry.type, static_cast<unsigned>(GL_TEXTURE_3D));
  ASSERT_TRUE(TextureLoader::parseEntry("a.png, GL_TEXTURE_2D, GEN_MIPMAP, extra", entry, error));
  EXPECT_FALSE(entry.mipmap) << "only exactly three items enable the mipmap option";
}

TEST(TextureEntryTest, WrongOptionsGiveTheLoaderTexts) {
  TextureEntry entry;
  std::string error;
  EXPECT_FALSE(TextureLoader::parseEntry("a.png, gl_texture_2d", entry, error));
  EXPECT_EQ(
      error,
      "TexturePool: 'a.png' using wrong texture parameter 'gl_texture_2d'\nOptions : GL_TEXTURE_1D/2D/3D");
  EXPECT_FALSE(TextureLoader::parseEntry("a.png, GL_TEXTURE_2D, GEN_MIPMAPS", entry, error));
  EXPECT_EQ(error, "TexturePool: 'a.png' using wrong mipmap parameter 'GEN_MIPMAPS'\nOptions : GEN_MIPMAPS");
  EXPECT_FALSE(TextureLoader::parseEntry("a.png, GL_TEXTURE_4D, GEN_MIPMAP, x", entry, error));
  EXPECT_EQ(error.rfind("TexturePool: 'a.png' using wrong texture parameter 'GL_TEXTURE_4D'", 0), 0u);
}

}  // namespace
