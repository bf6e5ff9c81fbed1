// Texture pool entries: "file[, type[, GEN_MIPMAP]]" and their error texts.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "demosys/render/TextureLoader.h"

namespace {

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
