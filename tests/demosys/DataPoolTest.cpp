// The resource pools without GL (name order, ownership, reports) and the resource report a demo in
// debug mode prints at shut-down, between "[Shutting Down]" and the pools' deletion.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/Binary.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataBinaryPool.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class CountedEffect : public Effect {
 public:
  explicit CountedEffect(int* deletions) : deletions(deletions) {}
  ~CountedEffect() override { ++*deletions; }

 private:
  int* deletions;
};

// Swallows the disposal banners of the pools declared after it.
struct QuietBanners {
  QuietBanners() { CaptureStdout(); }
  ~QuietBanners() { GetCapturedStdout(); }
};

const std::string RULE(64, '#');

std::string report(const std::string& parameters, const std::string& pools) {
  return RULE + "\n# Resources                                                    #\n" + RULE +
         "\n--------------------- System parameters ------------------------\n" + parameters +
         "\n--------------------- DataPools --------------------------------\n" + pools + "\n" + RULE + "\n";
}

// Disposes a fresh demo, returning what it printed then; `parameters` and `pools` receive
// the texts the report should show.
std::string disposeDemo(bool debug, bool withParameters, std::string& parameters, std::string& pools) {
  char program[] = "test";
  char* argv[] = {program, nullptr};
  CaptureStdout();
  Demo demo(1, argv);
  GetCapturedStdout();
  if (withParameters) {
    auto* group = new ParameterGroup("system");
    group->addParameter("stop", "0:01:000");
    QNVDemosys::parameters = new Parameters();
    QNVDemosys::parameters->addGroup("system", group);
    parameters = QNVDemosys::parameters->toString();
  } else {
    parameters = "No Data";
  }
  // Building the pools' text also prints the shader count, which lands inside the report.
  CaptureStdout();
  std::string text = QNVDemosys::data->toString();
  pools = GetCapturedStdout() + text;
  demo.debug(debug);
  CaptureStdout();
  demo.dispose();
  return GetCapturedStdout();
}

}  // namespace

TEST(DataPools, NamesSortBytewiseAndReplacedObjectsAreDeletedRemovedOnesHandedBack) {
  QuietBanners quiet;
  int deletions = 0;
  CountedEffect* removed = new CountedEffect(&deletions);
  {
    DataEffectPool pool;
    for (const char* name : {"abc", "b", "ab", "B", "a", "Ab"}) pool.addEffect(name, new CountedEffect(&deletions));
    std::vector<std::string> keys;
    for (int i = 0; i <= pool.size(); ++i) keys.push_back(pool.getKey(i));
    EXPECT_EQ(keys, (std::vector<std::string>{"Ab", "B", "a", "ab", "abc", "b", ""}));
    Effect* kept = new CountedEffect(&deletions);
    pool.addEffect("a", kept);
    EXPECT_EQ(deletions, 1);
    pool.addEffect("a", kept);  // the same object again is not deleted
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(pool.getEffect("a"), kept);
    pool.addEffect("fx", removed);
    pool.removeEffect("fx");
    pool.removeEffect("never added");
    EXPECT_FALSE(pool.exist("fx"));
    EXPECT_EQ(pool.size(), 6);
  }
  EXPECT_EQ(deletions, 7);
  delete removed;

  // The binary pool counts add calls, not entries, in its report.
  DataBinaryPool binaries;
  binaries.addData("data", new Binary(std::vector<unsigned char>(1, 7)));
  binaries.addData("data", new Binary(std::vector<unsigned char>(2, 7)));
  EXPECT_EQ(binaries.toString(), "DataBinaryPool {\n    num3dObjects = 2\n    data = Binary { size = 2 }\n}\n");
}

TEST(DataTexturePool, AliasesFilesAndReport) {
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
  textures.addTexture("logo", "gfx/logo.png", 7);
  EXPECT_TRUE(textures.isFileInPool("gfx/logo.png"));
  EXPECT_FALSE(textures.isFileInPool("logo"));
  EXPECT_EQ(textures.getTextureIDbyAlias("logo"), 7u);
  EXPECT_EQ(textures.getTextureIDbyFilename("small.png"), 5u);
  EXPECT_EQ(textures.getTextureIDbyAlias("absent"), 0u);
  EXPECT_EQ(textures.getTextureIDbyFilename("absent.png"), 0u);
  EXPECT_EQ(textures.getTexVector(), (std::vector<unsigned int>{5, 3, 7}));
  // Replacing an alias's texture: its old file no longer leads anywhere.
  textures.addTexture("logo", "gfx/logo2.png", 11);
  EXPECT_FALSE(textures.isFileInPool("gfx/logo.png"));
  EXPECT_EQ(textures.getTextureIDbyFilename("gfx/logo2.png"), 11u);
}

// Clearing the drawn targets is checked on real targets in the GL suite.
TEST(DataFBOPool, AMissIsReported) {
  DataFBOPool fbos;
  CaptureStdout();
  EXPECT_EQ(fbos.getFBO("missing"), nullptr);
  EXPECT_EQ(GetCapturedStdout(), "FrameBufferObject::getFBO(missing) cannot find the requested VBO\n");
}

TEST(Data, RegistryReportsInNameOrderAndDeletesReplacedAndRemainingPools) {
  CaptureStdout();
  {
    Data data;
    data.addData("texturePool", new DataTexturePool);
    data.addData("binaryPool", new DataBinaryPool);
    data.addData("fboPool", new DataFBOPool);
    data.addData("binaryPool", new DataBinaryPool);
    EXPECT_EQ(GetCapturedStdout(), "[Dispose binaryPool]\n");
    EXPECT_FALSE(data.exist("FBOPool"));
    EXPECT_EQ(data.getData("nothing"), nullptr);
    EXPECT_EQ(data.toString(),
              "DataBinaryPool {\n    num3dObjects = 0\n}\nFBOPool {\n}\n"
              "DataTexturePool {\n    total memory size : 0 MB - 0 bytes\n    total file size : 0 mb - 0 bytes\n"
              "    numTextures = 0\n}\n");
    CaptureStdout();
  }
  EXPECT_EQ(GetCapturedStdout(), "[Dispose binaryPool]\n[Dispose texturePool]\n");
}

TEST(Binary, FloatDataIsBytesOver256) {
  Binary binary({0, 128, 255});
  const float* values = binary.getFloatData();
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(values[0], 0.0f);
  EXPECT_EQ(values[1], 0.5f);
  EXPECT_EQ(values[2], 0.99609375f);
  EXPECT_EQ(binary.getFloatData(), values);  // made once, kept
}

TEST(Binary, FloatRangeIsOwnedByTheCallerAndZeroOutside) {
  Binary binary({0, 64, 128, 192});
  std::unique_ptr<float[]> middle(binary.getFloatData(1, 2));
  EXPECT_EQ(middle[0], 0.25f);
  EXPECT_EQ(middle[1], 0.5f);
  std::unique_ptr<float[]> past(binary.getFloatData(3, 3));
  EXPECT_EQ(past[0], 0.75f);
  EXPECT_EQ(past[1], 0.0f);
  EXPECT_EQ(past[2], 0.0f);
  std::unique_ptr<float[]> before(binary.getFloatData(-1, 2));
  EXPECT_EQ(before[0], 0.0f);
  EXPECT_EQ(before[1], 0.0f);
  EXPECT_EQ(binary.getFloatData(0, -1), nullptr);
}

TEST(DemoReportTest, DebugModeReportsBetweenShutDownAndThePoolsAndOtherwiseNothing) {
  std::string parameters, pools;
  std::string printed = disposeDemo(true, true, parameters, pools);
  EXPECT_NE(parameters.find("0:01:000"), std::string::npos) << parameters;
  EXPECT_EQ(pools.rfind("Shaders in pool : 0\n", 0), 0u) << pools;
  EXPECT_EQ(printed.rfind("[Shutting Down]\n" + report(parameters, pools) + "[Deleting Pools]\n", 0), 0u)
      << printed;
  printed = disposeDemo(true, false, parameters, pools);
  EXPECT_NE(printed.find(report("No Data", pools)), std::string::npos) << printed;
  printed = disposeDemo(false, true, parameters, pools);
  EXPECT_EQ(printed.find(RULE), std::string::npos) << printed;
  EXPECT_EQ(printed.rfind("[Shutting Down]\n[Deleting Pools]\n", 0), 0u) << printed;
}
