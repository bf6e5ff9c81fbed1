// A demo without the loading display's pictures packs (the packing script lists only the
// pictures the tree has) and then runs from the archive alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/gl/DemoProduction.h"

TEST(PackAnyDemo, WithoutLoadingPicturesPacksAndRunsFromTheArchive) {
  DemoProduction demo;
  ASSERT_TRUE(demo.ok());
  for (const char* picture : {"Loading1.png", "Loading2.png"})
    std::filesystem::remove(demo.path(std::string("resources/graphics/") + picture));
  ProgramRun script = demo.runTool("pack script");
  ASSERT_EQ(script.status, 0) << script.out;
  EXPECT_EQ(demo.read("packresources.sh").find("Loading1.png"), std::string::npos);
  ProgramRun build = demo.runTool("pack build");
  ASSERT_EQ(build.status, 0) << build.out;
  std::filesystem::rename(demo.path("resources"), demo.path("resources-packed"));
  ProgramRun run = demo.runDemo();
  EXPECT_EQ(run.status, 0);
  std::string missing;
  EXPECT_TRUE(run.inOrder({"[Demo Init]", "Duration : ", "[Application End]"}, &missing)) << missing << "\n"
                                                                                          << run.out;
}
