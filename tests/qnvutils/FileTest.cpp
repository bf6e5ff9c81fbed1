// The file buffer's readers and the archive that fills files and images; the writers write every
// scene and track pack the build makes, which the demo then loads.
#include "qnvutils/File.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "qnvutils/Arc.h"
#include "qnvutils/Image.h"
#include "tests/support/TempTree.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A memory file holding exactly these bytes.
struct MemoryFile {
  explicit MemoryFile(const Bytes& bytes) : file("memory") { file.put(bytes.data(), bytes.size()); }
  File file;
};

std::vector<std::string> lines(const std::string& text) {
  File f("text");
  f.put(text);
  return f.getAsLines();
}

}  // namespace

TEST(FileReaders, LittleEndianIntegersAndStringsWithTheObjectRule) {
  MemoryFile m({1, 0, 0, 0, 255, 255, 255, 255, 0x78, 0x56, 0x34, 0x12, 'c', 'u', 'b', 'e', 0, 0, 'a', 0, 'b', 'c'});
  EXPECT_EQ(m.file.readInt(), 1);
  EXPECT_EQ(m.file.readInt(), -1);
  EXPECT_EQ(m.file.readInt(), 0x12345678);
  EXPECT_EQ(m.file.readString(), "cube");
  EXPECT_EQ(m.file.getReadOffset(), 17u);
  // An empty stored name reads as "Object" and consumes only its terminator.
  EXPECT_EQ(m.file.readString(), "Object");
  EXPECT_EQ(m.file.getReadOffset(), 18u);
  EXPECT_EQ(m.file.readString(3), std::string("a\0b", 3)) << "a counted string keeps its zero bytes";
  EXPECT_EQ(m.file.readString(0), "");
  EXPECT_FALSE(m.file.overrun());
}

TEST(FileReaders, ReadsPastTheEndZeroFillSetAStickyOverrunAndKeepTheCursorAtTheEnd) {
  const struct {
    Bytes bytes;
    std::function<bool(File&)> read;  // true when the read gave what it should
  } cases[] = {
      {{0x01, 0x02}, [](File& f) { return f.readInt() == 0x0201 && f.getReadOffset() == 2; }},
      {{0x00, 0x00}, [](File& f) { return f.readFloat() == 0.0f; }},
      {{}, [](File& f) { return f.readChar() == 0; }},
      {{'a', 'b'}, [](File& f) { return f.readString() == "ab"; }},  // no terminator
      {{'a', 'b'}, [](File& f) { return f.readString(1000000) == "ab" && f.remaining() == 0; }},
      {{'a'}, [](File& f) { return f.readString(-1).empty(); }},
      {{5, 0, 0, 0}, [](File& f) { f.setReadOffset(100); return f.remaining() == 0 && f.readInt() == 0; }},
  };
  for (const auto& c : cases) {
    MemoryFile m(c.bytes);
    EXPECT_TRUE(c.read(m.file)) << c.bytes.size() << " bytes";
    EXPECT_TRUE(m.file.overrun()) << c.bytes.size() << " bytes";
  }
  MemoryFile m({5, 0, 0, 0});
  m.file.setReadOffset(100);
  m.file.readInt();
  m.file.setReadOffset(0);
  EXPECT_EQ(m.file.readInt(), 5);
  EXPECT_TRUE(m.file.overrun()) << "the overrun stays set";
}

TEST(FileLines, LineEndsCrLfLfAndLoneCr) {
  EXPECT_EQ(lines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(lines("a\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(lines("a\rb"), (std::vector<std::string>{"a\rb"}));
  EXPECT_EQ(lines(""), (std::vector<std::string>{""}));
  EXPECT_EQ(lines("\n\r\n"), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(lines("x\r\r\ny"), (std::vector<std::string>{"x\r", "y"}));
}

TEST(FileDisk, ReadsWholeFilesAndWritesCreateTruncateAndAppend) {
  TempTree tree;
  std::string content(200000, 'x');
  content[0] = '\0';
  tree.write("data.bin", content);
  EXPECT_EQ(File(tree.path("data.bin"), File::MODE_READ).getAsString(), content);
  File missing(tree.path("resources/scripts/demoscript.txt"), File::MODE_READ);
  EXPECT_FALSE(missing.exists());
  EXPECT_EQ(missing.getFileSize(), 0u);
  EXPECT_FALSE(File::exists(tree.path("resources/scripts/demoscript.txt")));

  const std::string target = tree.path("out.bin");
  tree.write("out.bin", "old content");
  {
    File f(target, File::MODE_WRITE);
    EXPECT_EQ(f.getFileSize(), 0u);
    f.put(258u);
    EXPECT_TRUE(f.write());
    EXPECT_FALSE(f.write());  // the stream is closed after the first write
  }
  {
    File f(target, File::MODE_APPEND);
    f.put(std::string("ab"));
    EXPECT_TRUE(f.write());
  }
  EXPECT_EQ(tree.read("out.bin"), std::string("\x02\x01\x00\x00", 4) + "ab");
  EXPECT_TRUE(File(target, File::MODE_WRITE_TRUNCATE).write());
  EXPECT_EQ(tree.read("out.bin"), "");
}

namespace {

const std::string PPM = std::string("P6\n1 2\n255\n") + std::string("\xff\x00\x00\x00\x00\xff", 6);

class ArcArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    tree.write("res/text.txt", "line one\r\nline two\n");
    tree.write("res/empty.txt", "");
    tree.write("res/pic.ppm", PPM);
    tree.write("res/broken.ppm", "P6\n1 2\n255\nxy");
    ASSERT_TRUE(tree.archive("res.7z", "-ms=on", {"res"}));
    ASSERT_TRUE(arc_load(tree.path("res.7z")));
  }
  void TearDown() override { arc_close(); }

  TempTree tree;
};

}  // namespace

TEST_F(ArcArchive, FillsMemoryFilesAndImagesAndMissesLeaveThemAbsent) {
  File file("res/text.txt");
  EXPECT_TRUE(arc_getFile(&file));
  EXPECT_EQ(file.getAsLines(), (std::vector<std::string>{"line one", "line two", ""}));
  EXPECT_EQ(file.getReadOffset(), 0u);
  File empty("res/empty.txt");
  EXPECT_TRUE(arc_getFile(&empty));
  EXPECT_TRUE(empty.exists());
  EXPECT_EQ(empty.getFileSize(), 0u);
  File missing("res/Text.txt");
  EXPECT_FALSE(arc_getFile(&missing));
  EXPECT_FALSE(missing.exists());
  EXPECT_FALSE(arc_getFile(nullptr));

  Image image;
  image.setFileName("res/pic.ppm");
  EXPECT_TRUE(arc_getImage(&image));
  ASSERT_TRUE(image.exists());
  EXPECT_EQ(image.getData()[2], 0xff);  // bottom (blue) row first
  Image absent;
  absent.setFileName("res/none.ppm");
  EXPECT_FALSE(arc_getImage(&absent));
  EXPECT_FALSE(absent.exists());
  // Found but undecodable: extracted, yet no image.
  Image broken;
  broken.setFileName("res/broken.ppm");
  EXPECT_TRUE(arc_getImage(&broken));
  EXPECT_FALSE(broken.exists());
}
