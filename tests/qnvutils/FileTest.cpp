#include "qnvutils/File.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

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

TEST(FileReaders, IntegersAreLittleEndianAndSigned) {
  MemoryFile m({1, 0, 0, 0, 255, 255, 255, 255, 0x78, 0x56, 0x34, 0x12});
  EXPECT_EQ(m.file.readInt(), 1);
  EXPECT_EQ(m.file.readInt(), -1);
  EXPECT_EQ(m.file.readInt(), 0x12345678);
  EXPECT_EQ(m.file.getReadOffset(), 12u);
  EXPECT_FALSE(m.file.overrun());
}

TEST(FileReaders, FloatIsTheLittleEndianBitPattern) {
  MemoryFile m({0x00, 0x00, 0x80, 0x3f, 0x00, 0x00, 0x20, 0xc1});
  EXPECT_EQ(m.file.readFloat(), 1.0f);
  EXPECT_EQ(m.file.readFloat(), -10.0f);
}

TEST(FileReaders, CharIsSigned) {
  MemoryFile m({0x41, 0xff});
  EXPECT_EQ(m.file.readChar(), 'A');
  EXPECT_EQ(m.file.readChar(), static_cast<char>(-1));
}

TEST(FileReaders, ZeroTerminatedStringsAndTheObjectRule) {
  MemoryFile m({'c', 'u', 'b', 'e', 0, 0, 'x', 0});
  EXPECT_EQ(m.file.readString(), "cube");
  EXPECT_EQ(m.file.getReadOffset(), 5u);
  // An empty stored name reads as "Object" and consumes only its terminator.
  EXPECT_EQ(m.file.readString(), "Object");
  EXPECT_EQ(m.file.getReadOffset(), 6u);
  EXPECT_EQ(m.file.readString(), "x");
  EXPECT_FALSE(m.file.overrun());
}

TEST(FileReaders, CountedStringKeepsZeroBytes) {
  MemoryFile m({'a', 0, 'b', 'c'});
  EXPECT_EQ(m.file.readString(3), std::string("a\0b", 3));
  EXPECT_EQ(m.file.readString(0), "");
  EXPECT_EQ(m.file.getReadOffset(), 3u);
}

TEST(FileReaders, SetReadOffsetMovesTheCursor) {
  MemoryFile m({9, 0, 0, 0, 7, 0, 0, 0});
  m.file.setReadOffset(4);
  EXPECT_EQ(m.file.remaining(), 4u);
  EXPECT_EQ(m.file.readInt(), 7);
  EXPECT_EQ(m.file.remaining(), 0u);
}

TEST(FileTruncated, EveryReaderZeroFillsAndSetsOverrun) {
  {
    MemoryFile m({0x01, 0x02});
    EXPECT_EQ(m.file.readInt(), 0x0201);
    EXPECT_TRUE(m.file.overrun());
    EXPECT_EQ(m.file.getReadOffset(), 2u);
  }
  {
    MemoryFile m({0x00, 0x00});
    EXPECT_EQ(m.file.readFloat(), 0.0f);
    EXPECT_TRUE(m.file.overrun());
  }
  {
    MemoryFile m({});
    EXPECT_EQ(m.file.readChar(), 0);
    EXPECT_TRUE(m.file.overrun());
  }
  {
    MemoryFile m({'a', 'b'});  // no terminator
    EXPECT_EQ(m.file.readString(), "ab");
    EXPECT_TRUE(m.file.overrun());
  }
  {
    MemoryFile m({'a', 'b'});
    EXPECT_EQ(m.file.readString(1000000), "ab");
    EXPECT_TRUE(m.file.overrun());
    EXPECT_EQ(m.file.remaining(), 0u);
  }
  {
    MemoryFile m({'a'});
    EXPECT_EQ(m.file.readString(-1), "");
    EXPECT_TRUE(m.file.overrun());
  }
}

TEST(FileTruncated, OverrunIsStickyAndCursorStaysAtTheEnd) {
  MemoryFile m({5, 0, 0, 0});
  m.file.setReadOffset(100);
  EXPECT_EQ(m.file.remaining(), 0u);
  EXPECT_EQ(m.file.readInt(), 0);
  EXPECT_TRUE(m.file.overrun());
  m.file.setReadOffset(0);
  EXPECT_EQ(m.file.readInt(), 5);
  EXPECT_TRUE(m.file.overrun());
}

TEST(FileLines, LineEndsCrLfLfAndLoneCr) {
  EXPECT_EQ(lines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(lines("a\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(lines("a\rb"), (std::vector<std::string>{"a\rb"}));
  EXPECT_EQ(lines(""), (std::vector<std::string>{""}));
  EXPECT_EQ(lines("a\r"), (std::vector<std::string>{"a\r"}));
  EXPECT_EQ(lines("\n\r\n"), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(lines("x\r\r\ny"), (std::vector<std::string>{"x\r", "y"}));
}

TEST(FileWriters, PutAppendsLittleEndian) {
  File f("out");
  f.put(static_cast<unsigned char>(0xab));
  f.put(258u);
  f.put(-2);
  f.put(1.0f);
  f.put(std::string("hi"));
  const Bytes expected = {0xab, 2, 1, 0, 0, 0xfe, 0xff, 0xff, 0xff, 0x00, 0x00, 0x80, 0x3f, 'h', 'i'};
  EXPECT_EQ(f.getUnsigned(), expected);
  EXPECT_EQ(f.getWriteOffset(), expected.size());
  EXPECT_EQ(f.getFileSize(), expected.size());
  EXPECT_EQ(f.get(), std::vector<char>(expected.begin(), expected.end()));
  EXPECT_EQ(f.getAsString(), std::string(expected.begin(), expected.end()));
}

TEST(FileWriters, WrittenValuesReadBack) {
  File f("roundtrip");
  f.put(-123456);
  f.put(3.25f);
  f.put(std::string("name"));
  f.put(static_cast<unsigned char>(0));
  EXPECT_EQ(f.readInt(), -123456);
  EXPECT_EQ(f.readFloat(), 3.25f);
  EXPECT_EQ(f.readString(), "name");
  EXPECT_FALSE(f.overrun());
}

TEST(FileDisk, ReadModeLoadsTheWholeFile) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  std::string content(200000, 'x');
  content[0] = '\0';
  content.back() = '\n';
  tree.write("data.bin", content);
  File f(tree.path("data.bin"), File::MODE_READ);
  EXPECT_TRUE(f.exists());
  EXPECT_EQ(f.getAsString(), content);
  EXPECT_EQ(f.getFilename(), tree.path("data.bin"));
}

TEST(FileDisk, MissingFileDoesNotExist) {
  TempTree tree;
  File f(tree.path("resources/scripts/demoscript.txt"), File::MODE_READ);
  EXPECT_FALSE(f.exists());
  EXPECT_EQ(f.getFileSize(), 0u);
  EXPECT_FALSE(File::exists(tree.path("resources/scripts/demoscript.txt")));
  EXPECT_TRUE(File::exists(tree.path("")));
}

TEST(FileDisk, WriteCreatesTruncatesAndAppends) {
  TempTree tree;
  const std::string target = tree.path("out.bin");
  tree.write("out.bin", "old content");
  {
    File f(target, File::MODE_WRITE);
    EXPECT_TRUE(f.exists());
    EXPECT_EQ(f.getFileSize(), 0u);
    f.put(258u);
    EXPECT_TRUE(f.write());
    EXPECT_FALSE(f.write());  // the stream is closed after the first write
  }
  EXPECT_EQ(tree.read("out.bin"), std::string("\x02\x01\x00\x00", 4));
  {
    File f(target, File::MODE_APPEND);
    f.put(std::string("ab"));
    EXPECT_TRUE(f.write());
  }
  EXPECT_EQ(tree.read("out.bin"), std::string("\x02\x01\x00\x00", 4) + "ab");
  File truncate(target, File::MODE_WRITE_TRUNCATE);
  EXPECT_TRUE(truncate.write());
  EXPECT_EQ(tree.read("out.bin"), "");
}

TEST(FileDisk, WriteWithoutAStreamFails) {
  File memory("memory");
  memory.put(std::string("x"));
  EXPECT_FALSE(memory.write());
  TempTree tree;
  File unopened(tree.path("no/such/dir/file"), File::MODE_WRITE);
  EXPECT_FALSE(unopened.exists());
  EXPECT_FALSE(unopened.write());
}

TEST(FileDisk, UnknownModeReads) {
  TempTree tree;
  tree.write("a.txt", "abc");
  File f(tree.path("a.txt"), 7);
  EXPECT_TRUE(f.exists());
  EXPECT_EQ(f.getAsString(), "abc");
}
