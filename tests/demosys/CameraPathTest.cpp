// Camera paths: poses along linear and Catmull-Rom paths, the out-of-range lines, and what the
// parser accepts and refuses (the written form is checked through `demosys path print`).
#include <gtest/gtest.h>

#include <iostream>
#include <limits>
#include <memory>
#include <sstream>

#include "demosys/camera/Animation.h"
#include "demosys/camera/AnimationParser.h"
#include "tests/support/TempTree.h"

namespace {

// Keyframe i at z = 10 i, pitch i, heading 10 i.
std::unique_ptr<Animation> zPath(int count, int type) {
  std::unique_ptr<Animation> path(new Animation);
  for (int i = 0; i < count; ++i)
    path->addKeyframe(new Keyframe(Vector3f(0, 0, 10.0f * i), 1.0f * i, 10.0f * i));
  path->setInterpolationType(type);
  return path;
}

// What next() prints on standard output.
std::string nextPrints(Animation& path, double u) {
  std::ostringstream captured;
  std::streambuf* console = std::cout.rdbuf(captured.rdbuf());
  path.next(u);
  std::cout.rdbuf(console);
  return captured.str();
}

}  // namespace

TEST(CameraPath, PosesAndOutOfRangeLines) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    int count, type;
    double u;
    float z, pitch, heading;
    const char* printed;  // the pose stays at its start (0) when a line is printed
  } cases[] = {
      {3, Animation::LINEAR, 0.25, 5, 0.5f, 5, ""},
      {3, Animation::LINEAR, 1.0, 0, 0, 0, "OUT OF RANGE 2\n"},
      {3, Animation::LINEAR, -0.5, 0, 0, 0, "OUT OF RANGE -1\n"},
      {3, Animation::LINEAR, 1e300, 0, 0, 0, "OUT OF RANGE inf\n"},
      {3, Animation::LINEAR, nan, 0, 0, 0, ""},
      {5, Animation::CATMULL_ROM, 0.0, 10, 1, 10, ""},
      {5, Animation::CATMULL_ROM, 0.5, 20, 2, 20, ""},
      {5, Animation::CATMULL_ROM, 1.0, 0, 0, 0, "OUT OF RANGE [1] -> 2\n"},
      {3, Animation::CATMULL_ROM, 0.5, 0, 0, 0, "OUT OF RANGE [-1] -> 0\n"},
      {5, 2, 0.5, 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " keyframes, type " << c.type << ", u " << c.u);
    std::unique_ptr<Animation> path = zPath(c.count, c.type);
    EXPECT_EQ(nextPrints(*path, c.u), c.printed);
    EXPECT_FLOAT_EQ(path->getPosition()[2], c.z);
    EXPECT_FLOAT_EQ(path->getPitch(), c.pitch);
    EXPECT_FLOAT_EQ(path->getHeading(), c.heading);
  }
}

TEST(CameraPath, ParserAcceptsAndRefuses) {
  const std::string two = "keyframes 2\npos 0 0 10\nrot 0 0\npos 0 5 20.5\nrot -10 90\n";
  struct Case {
    const char* name;
    std::string text;
    int keyframes;  // -1: refused with the message
    std::string message;
  } cases[] = {
      {"plain.ani", "QNVANI1\n" + two, 2, ""},
      {"padded.ani", "  QNVANI1 \t\r\n" + two, 2, ""},
      {"header.ani", "QNVANI2\n" + two, -1, "File : '@' have invalid header\n"},
      {"long_count.ani", "QNVANI1\nkeyframes 3\npos 0 0 0\nrot 0 0\npos 1 1 1\nrot 1 1\n", -1,
       "File : '@' announces 3 keyframes but holds 2\n"},
      {"overflow.ani", "QNVANI1\nkeyframes 1\npos 0 1e39 0\nrot 0 0\n", -1,
       "File : '@' has a number out of range in line 3\n"},
  };
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tree.write(c.name, c.text);
    AnimationParser parser(tree.path(c.name));
    std::unique_ptr<Animation> path(parser.parse());
    EXPECT_EQ(parser.isValid(), c.keyframes >= 0);
    EXPECT_EQ(path ? path->countKeyFrames() : -1, c.keyframes);
    std::string expected = c.message;
    const std::size_t at = expected.find('@');
    if (at != std::string::npos)
      expected = "Error while loading animation data\n" + expected.replace(at, 1, tree.path(c.name));
    EXPECT_EQ(parser.getErrorMessage(), expected);
  }
  AnimationParser missing(tree.path("absent.ani"));
  EXPECT_EQ(missing.parse(), nullptr);
  EXPECT_EQ(missing.getErrorMessage(),
            "Error while loading animation data\nFile '" + tree.path("absent.ani") + "' not found!\n");
}
