#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demosys/camera/Animation.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/Binary.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataAnimationPool.h"
#include "demosys/resources/DataBinaryPool.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/scene/QNVScene.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// An effect that records its own deletion.
class CountedEffect : public Effect {
 public:
  explicit CountedEffect(int* deletions) : deletions(deletions) {}
  ~CountedEffect() override { ++*deletions; }

 private:
  int* deletions;
};

// A render target without GL that records what the pool asks of it.
class RecordingTarget : public FrameBufferObject {
 public:
  RecordingTarget(std::string name, std::vector<std::string>* log, bool flagged)
      : name(std::move(name)), log(log), flagged(flagged) {}
  void bind() override { log->push_back("bind " + name); }
  void clear() override {
    log->push_back("clear " + name);
    flagged = false;
  }
  void release() override { log->push_back("release " + name); }
  bool hasClearFlag() const override { return flagged; }

 private:
  std::string name;
  std::vector<std::string>* log;
  bool flagged;
};

// Swallows the disposal banners of the pools declared after it.
struct QuietBanners {
  QuietBanners() { CaptureStdout(); }
  ~QuietBanners() { GetCapturedStdout(); }
};

Binary* bytes(std::size_t count) { return new Binary(std::vector<unsigned char>(count, 7)); }

}  // namespace

TEST(DataPools, NamesAreOrderedBytewiseUpperCaseAndPrefixesFirst) {
  QuietBanners quiet;
  DataEffectPool pool;
  int deletions = 0;
  for (const char* name : {"abc", "b", "ab", "B", "a", "Ab"})
    pool.addEffect(name, new CountedEffect(&deletions));
  std::vector<std::string> keys;
  for (int i = 0; i < pool.size(); ++i) keys.push_back(pool.getKey(i));
  EXPECT_EQ(keys, (std::vector<std::string>{"Ab", "B", "a", "ab", "abc", "b"}));
  EXPECT_EQ(pool.getKey(6), "");
  EXPECT_EQ(pool.getKey(-1), "");
}

TEST(DataPools, PositionalAccessFollowsNameOrderAndStopsAtTheEnd) {
  QuietBanners quiet;
  DataBinaryPool binaries;
  Binary* second = bytes(2);
  Binary* first = bytes(1);
  binaries.addData("zeta", second);
  binaries.addData("Zeta", first);
  EXPECT_EQ(binaries.getData(0), first);
  EXPECT_EQ(binaries.getData(1), second);
  EXPECT_EQ(binaries.getData(2), nullptr);
  EXPECT_EQ(binaries.getData(-1), nullptr);

  DataObjectPool objects;
  QNVScene* scene = new QNVScene;
  objects.addObject("scene", scene);
  EXPECT_EQ(objects.getObject(0), scene);
  EXPECT_EQ(objects.getObject(1), nullptr);
  EXPECT_EQ(objects.getObjectMap().size(), 1u);
}

TEST(DataPools, AddingANameTwiceCountsTwiceAndDeletesTheReplacedObject) {
  QuietBanners quiet;
  int deletions = 0;
  {
    DataEffectPool effects;
    Effect* kept = new CountedEffect(&deletions);
    effects.addEffect("fx", new CountedEffect(&deletions));
    effects.addEffect("fx", kept);
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(effects.getEffect("fx"), kept);
    effects.addEffect("fx", kept);  // the same object again is not deleted
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(effects.size(), 1);  // entries, not add calls
  }
  EXPECT_EQ(deletions, 2);

  DataBinaryPool binaries;
  binaries.addData("data", bytes(1));
  binaries.addData("data", bytes(2));
  EXPECT_EQ(binaries.size(), 2);
  EXPECT_EQ(binaries.getData("data")->size(), 2);
  EXPECT_EQ(binaries.toString(),
            "DataBinaryPool {\n    num3dObjects = 2\n    data = Binary { size = 2 }\n}\n");

  DataObjectPool objects;
  objects.addObject("s", new QNVScene);
  objects.addObject("s", new QNVScene);
  EXPECT_EQ(objects.size(), 2);

  DataAnimationPool animations;
  animations.addAnimation("path", new Animation);
  animations.addAnimation("path", new Animation);
  EXPECT_EQ(animations.size(), 2);
}

TEST(DataPools, LookupsMissWithoutChangingThePool) {
  QuietBanners quiet;
  DataEffectPool effects;
  EXPECT_EQ(effects.getEffect("absent"), nullptr);
  EXPECT_FALSE(effects.exist("absent"));
  EXPECT_EQ(effects.size(), 0);
  DataBinaryPool binaries;
  EXPECT_EQ(binaries.getData("absent"), nullptr);
  EXPECT_FALSE(binaries.exist("absent"));
  DataObjectPool objects;
  EXPECT_EQ(objects.getObject("absent"), nullptr);
  EXPECT_FALSE(objects.exists("absent"));
  DataAnimationPool animations;
  EXPECT_EQ(animations.getAnimation("absent"), nullptr);
  EXPECT_FALSE(animations.exist("absent"));
  DataShaderPool shaders;
  EXPECT_EQ(shaders.getShader("absent"), nullptr);
  EXPECT_FALSE(shaders.exists("absent"));
}

TEST(DataPools, RemovedEffectIsHandedBackNotDeleted) {
  QuietBanners quiet;
  int deletions = 0;
  CountedEffect* effect = new CountedEffect(&deletions);
  {
    DataEffectPool effects;
    effects.addEffect("fx", effect);
    effects.removeEffect("fx");
    effects.removeEffect("never added");
    EXPECT_FALSE(effects.exist("fx"));
    EXPECT_EQ(effects.size(), 0);
  }
  EXPECT_EQ(deletions, 0);
  delete effect;
}

TEST(DataPoolTexts, EffectAnimationObjectAndBasePools) {
  QuietBanners quiet;
  int deletions = 0;
  DataEffectPool effects;
  effects.addEffect("intro", new CountedEffect(&deletions));
  effects.addEffect("Flag", new CountedEffect(&deletions));
  EXPECT_EQ(effects.toString(), "EffectPool {\n    Flag = Effect\n    intro = Effect\n}\n");

  DataAnimationPool animations;
  Animation* path = new Animation;
  path->addKeyframe(new Keyframe);
  path->addKeyframe(new Keyframe);
  animations.addAnimation("fly", path);
  EXPECT_EQ(animations.toString(), "AnimationPool {\n    fly = Animation { keyframes = 2 }\n}\n");

  DataObjectPool objects;
  objects.addObject("scene", new QNVScene);
  EXPECT_EQ(objects.toString(), "DataObjectPool {\n}\n");

  DataPool base;
  EXPECT_EQ(base.size(), 0);
  EXPECT_EQ(base.toString(), "DataPool { size = 0 }\n");
}

TEST(DataPoolTexts, ShaderPoolPrintsItsCount) {
  DataShaderPool shaders;
  CaptureStdout();
  EXPECT_EQ(shaders.toString(), "ShaderPool {\n<Empty>\n}\n");
  EXPECT_EQ(GetCapturedStdout(), "Shaders in pool : 0\n");
  shaders.addShader("blur", new Shader);
  CaptureStdout();
  EXPECT_EQ(
      shaders.toString(),
      "ShaderPool {\n  blur = Shader(vshader size = 0, fragshader size = 0, pref=0, vref=0, fref=0)\n}\n");
  EXPECT_EQ(GetCapturedStdout(), "Shaders in pool : 1\n");
  EXPECT_EQ(shaders.size(), 1);
}

TEST(DataPoolTexts, TexturePoolReport) {
  QuietBanners quiet;
  DataTexturePool textures;
  Texture* big = new Texture("big.png", 3);
  big->setSize(1024, 512);
  big->setFileSize(2097152);
  textures.addTexture("big", big);
  textures.addTexture("Small", "small.png", 5);
  textures.getTexture("Small")->setSize(2, 2);
  textures.getTexture("Small")->setFileSize(16);
  EXPECT_EQ(textures.toString(),
            "DataTexturePool {\n"
            "    total memory size : 2.00002 MB - 2097168 bytes\n"
            "    total file size : 2.00002 mb - 2097168 bytes\n"
            "    numTextures = 2\n"
            "    Small = Texture {file='small.png',id=5',size='2,2',bpp='32'dimtype=GL_TEXTURE_2D }\n"
            "    big = Texture {file='big.png',id=3',size='1024,512',bpp='32'dimtype=GL_TEXTURE_2D }\n"
            "}\n");
}

TEST(DataTexturePool, AliasesFilesAndNames) {
  QuietBanners quiet;
  DataTexturePool textures;
  textures.addTexture("logo", "gfx/logo.png", 7);
  textures.addTexture("font", "gfx/font.png", 9);
  EXPECT_TRUE(textures.exist("logo"));
  EXPECT_TRUE(textures.isFileInPool("gfx/logo.png"));
  EXPECT_FALSE(textures.isFileInPool("logo"));
  EXPECT_EQ(textures.getTextureIDbyAlias("logo"), 7u);
  EXPECT_EQ(textures.getTextureIDbyFilename("gfx/font.png"), 9u);
  EXPECT_EQ(textures.getTextureIDbyAlias("absent"), 0u);
  EXPECT_EQ(textures.getTextureIDbyFilename("absent.png"), 0u);
  EXPECT_EQ(textures.getTexVector(), (std::vector<unsigned int>{9, 7}));
  EXPECT_EQ(textures.getFilemap().at("gfx/logo.png"), "logo");
  EXPECT_EQ(textures.getTextureMap().size(), 2u);

  // Replacing an alias's texture: its old file no longer leads anywhere.
  textures.addTexture("logo", "gfx/logo2.png", 11);
  EXPECT_FALSE(textures.isFileInPool("gfx/logo.png"));
  EXPECT_EQ(textures.getTextureIDbyFilename("gfx/logo2.png"), 11u);
  EXPECT_EQ(textures.size(), 3);
}

TEST(DataFBOPool, MissReportsAndFlaggedTargetsAreClearedInNameOrder) {
  std::vector<std::string> log;
  DataFBOPool fbos;
  fbos.addFBO("glow", new RecordingTarget("glow", &log, true));
  fbos.addFBO("Blur", new RecordingTarget("Blur", &log, true));
  fbos.addFBO("idle", new RecordingTarget("idle", &log, false));
  EXPECT_TRUE(fbos.exists("glow"));
  EXPECT_EQ(fbos.size(), 3);

  CaptureStdout();
  EXPECT_EQ(fbos.getFBO("missing"), nullptr);
  EXPECT_NE(fbos.getFBO("glow"), nullptr);
  EXPECT_EQ(GetCapturedStdout(), "FrameBufferObject::getFBO(missing) cannot find the requested VBO\n");

  fbos.clearFlaggedFBOs();
  EXPECT_EQ(log, (std::vector<std::string>{"bind Blur", "clear Blur", "release Blur", "bind glow",
                                           "clear glow", "release glow"}));
  log.clear();
  fbos.clearFlaggedFBOs();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(
      fbos.toString(),
      "FBOPool {\n  Blur = FrameBufferObject(0,0,COLOR_BUFFER)\n"
      "  glow = FrameBufferObject(0,0,COLOR_BUFFER)\n  idle = FrameBufferObject(0,0,COLOR_BUFFER)\n}\n");
}

TEST(Data, RegistryReportsAndDisposesPoolsInNameOrder) {
  CaptureStdout();
  {
    Data data;
    data.addData("texturePool", new DataTexturePool);
    data.addData("objectPool", new DataObjectPool);
    data.addData("animationPool", new DataAnimationPool);
    data.addData("effectTemplatePool", new DataEffectPool);
    data.addData("effectPool", new DataEffectPool);
    data.addData("binaryPool", new DataBinaryPool);
    data.addData("shaderPool", new DataShaderPool);
    data.addData("fboPool", new DataFBOPool);
    EXPECT_TRUE(data.exist("fboPool"));
    EXPECT_FALSE(data.exist("FBOPool"));
    EXPECT_EQ(data.getData("nothing"), nullptr);
    EXPECT_NE(dynamic_cast<DataBinaryPool*>(data.getData("binaryPool")), nullptr);
    EXPECT_EQ(
        data.toString(),
        "AnimationPool {\n}\n"
        "DataBinaryPool {\n    num3dObjects = 0\n}\n"
        "EffectPool {\n}\n"
        "EffectPool {\n}\n"
        "FBOPool {\n}\n"
        "DataObjectPool {\n}\n"
        "ShaderPool {\n<Empty>\n}\n"
        "DataTexturePool {\n    total memory size : 0 MB - 0 bytes\n    total file size : 0 mb - 0 bytes\n"
        "    numTextures = 0\n}\n");
    GetCapturedStdout();
    CaptureStdout();
  }
  EXPECT_EQ(GetCapturedStdout(),
            "[Dispose animationPool]\n[Dispose binaryPool]\n[Dispose effectPool]\n[Dispose effectPool]\n"
            "[Dispose objectPool]\n[Dispose texturePool]\n");
}

TEST(Data, ReplacedPoolIsDeleted) {
  CaptureStdout();
  {
    Data data;
    data.addData("binaryPool", new DataBinaryPool);
    data.addData("binaryPool", new DataBinaryPool);
    EXPECT_EQ(GetCapturedStdout(), "[Dispose binaryPool]\n");
    CaptureStdout();
  }
  EXPECT_EQ(GetCapturedStdout(), "[Dispose binaryPool]\n");
}
