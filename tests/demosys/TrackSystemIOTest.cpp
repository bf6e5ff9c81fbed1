// Track files (round trips, the exact byte layout, damaged packs refused with a message) and the
// timeline text form: written exactly, read back, and errors that name the line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>

#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "demosys/timeline/TrackText.h"
#include "tests/demosys/TimelineTestSupport.h"
#include "tests/support/TempTree.h"

using namespace timeline_test;

namespace {

void putInt(std::string& out, int32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(uint32_t(value) >> shift));
}

struct Field {
  Field(int32_t number) : number(number) {}
  Field(const char* text) : text(text), isText(true) {}
  int32_t number = 0;
  std::string text;
  bool isText = false;
};

std::string bytesOf(const std::vector<Field>& fields) {
  std::string out;
  for (const Field& f : fields) {
    if (!f.isText) putInt(out, f.number);
    else if (f.text.rfind("raw:", 0) == 0) out += f.text.substr(4);
    else out += f.text + '\0';
  }
  return out;
}

class EffectWithTracks : public Effect {
 public:
  explicit EffectWithTracks(std::initializer_list<const char*> names) {
    for (const char* name : names) addTrackName(name);
  }
};

class TrackSystemIOTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.ok());
    dir = tree.path("pack");
    std::filesystem::create_directory(dir);
    previousType = QNVIO::ResourceType;
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    fbo = new RecordingTarget("fbo1", log);
    pool.addFBO("fbo1", fbo);
    QNVDemosys::fboPool = &pool;
  }
  void TearDown() override {
    QNVDemosys::fboPool = nullptr;
    QNVIO::ResourceType = previousType;
  }

  // Loads "e" (and its track "alpha") from the pack, expecting failure; returns the message.
  std::string packError() {
    Effect effect;
    effect.addTrackName("alpha");
    TrackSystemIO io(dir + "/");
    testing::internal::CaptureStdout();
    std::unique_ptr<TrackSystem> loaded(io.loadPack({"e"}, {&effect}));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(loaded, nullptr);
    EXPECT_FALSE(io.isValid());
    EXPECT_EQ(effect.getTrackGroup(), nullptr);
    return io.getErrorMessage();
  }

  // glow1: priority 5, intervals to the screen, to fbo1 and to an unknown target; tracks alpha, red.
  // blur: priority 2, one interval.
  TrackSystem* sampleSystem() {
    TrackSystem* system = new TrackSystem();
    TrackGroup* glow = new TrackGroup("glow1");
    TrackStartStop* startStop = startStopTrack(5, {{10, 20, nullptr}, {30, 40, fbo}, {50, 60, nullptr}});
    static_cast<TrackStartStopKeyFrame*>(startStop->getKeyframe(30))->renderTargetName = "fbo1";
    static_cast<TrackStartStopKeyFrame*>(startStop->getKeyframe(50))->renderTargetName = "gone";
    glow->setStartStopTrack(startStop);
    glow->addInterpolateTrack(interpolateTrack(
        "alpha", {{0, TrackKeyFrameInterpolate::COSINE_OUT, 0.25f}, {8, 7, -3.5f}, {4000000000u, 3, 1e-9f}}));
    glow->addInterpolateTrack(interpolateTrack("red", {{1, TrackKeyFrameInterpolate::RAMP, 1.0f}}));
    system->addTrackGroup(glow);
    TrackGroup* blur = new TrackGroup("blur");
    blur->setStartStopTrack(startStopTrack(2, {{0, 100, nullptr}}));
    system->addTrackGroup(blur);
    return system;
  }

  TempTree tree;
  std::string dir;
  int previousType = 0;
  std::vector<std::string> log;
  DataFBOPool pool;
  RecordingTarget* fbo = nullptr;
};

void expectSampleKeyframes(const TrackGroup& glow, FrameBufferObject* fbo) {
  const TrackStartStop& startStop = *glow.getStartStopTrack();
  EXPECT_EQ(startStop.getKeyframeCount(), 6);
  EXPECT_TRUE(startStop.rowIsStartKeyFrame(10));
  EXPECT_FALSE(startStop.rowIsStartKeyFrame(20));
  EXPECT_EQ(startStop.getRenderTarget(35), fbo);
  EXPECT_EQ(startStop.getIntervalStart(35)->renderTargetName, "fbo1");
  EXPECT_EQ(startStop.getRenderTarget(55), nullptr);
  EXPECT_EQ(startStop.getIntervalStart(55)->renderTargetName, "screen");
  const TrackInterpolate* alpha = glow.getInterpolateTrackByName("alpha");
  ASSERT_NE(alpha, nullptr);
  ASSERT_EQ(alpha->getKeyframeCount(), 3);
  auto key = [alpha](unsigned row) {
    return static_cast<TrackKeyFrameInterpolate*>(alpha->getKeyframe(row));
  };
  EXPECT_EQ(key(0)->interpolation, TrackKeyFrameInterpolate::COSINE_OUT);
  EXPECT_EQ(key(0)->value, 0.25f);
  EXPECT_EQ(key(8)->interpolation, 7);
  EXPECT_EQ(key(8)->value, -3.5f);
  EXPECT_EQ(key(4000000000u)->value, 1e-9f);
  EXPECT_EQ(glow.getInterpolateTrack(1)->getName(), "red");
}

const char* const SAMPLE =
    "# Quenvar timeline: rows, or m:ss:mmm times at the rowrate given above them.\n"
    "\n"
    "effect \"a fx\" priority -1\n"
    "\n"
    "effect glow1 priority 3\n"
    "  start 10 screen\n"
    "  stop 20\n"
    "  start 30 fbo1\n"
    "  stop 40 type 7\n"
    "  start 50 screen\n"
    "  track alpha\n"
    "    0 COSINE_OUT 0.1\n"
    "    8 9 -2.5\n"
    "    4000000000 RAMP 0.33333334\n"
    "  track \"a#b\"\n"
    "    1 STEP 1e-09\n";

std::string errorOf(const std::string& text) {
  TrackText reader;
  std::unique_ptr<TrackSystem> system(reader.read(text));
  EXPECT_EQ(system, nullptr) << text;
  EXPECT_FALSE(reader.isValid());
  return reader.getErrorMessage();
}

}  // namespace

TEST_F(TrackSystemIOTest, PackRoundTripKeepsKeyframesTargetsAndDrawingOrder) {
  std::unique_ptr<TrackSystem> saved(sampleSystem());
  TrackSystemIO writer(dir);
  ASSERT_TRUE(writer.savePack(saved.get()));

  EffectWithTracks glow{"alpha", "red", "beta"};
  EffectWithTracks blur{};
  EffectWithTracks extra{"x"};
  TrackSystemIO reader(dir + "/");
  testing::internal::CaptureStdout();
  std::unique_ptr<TrackSystem> loaded(reader.loadPack({"glow1", "blur", "extra"}, {&glow, &blur, &extra}));
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_NE(loaded, nullptr) << reader.getErrorMessage();
  EXPECT_NE(out.find("Loading 'glow1.track' (5)\n"), std::string::npos);
  EXPECT_NE(out.find("Loading 'glow1.alpha'\n"), std::string::npos);

  expectSampleKeyframes(*loaded->getTrackGroupByName("glow1"), fbo);
  // The stand-by group sorts first; priorities are renumbered in drawing order.
  ASSERT_EQ(loaded->getSortedTrackGroupCount(), 3);
  EXPECT_EQ(loaded->getSortedTrackGroup(0)->getName(), "extra");
  EXPECT_EQ(loaded->getSortedTrackGroup(1)->getName(), "blur");
  EXPECT_EQ(loaded->getSortedTrackGroup(2)->getName(), "glow1");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(loaded->getSortedTrackGroup(i)->getStartStopTrack()->priority, i);
  EXPECT_EQ(extra.getTrackGroup()->getStartStopTrack()->getKeyframeCount(), 0);

  EXPECT_EQ(glow.getTrackGroup()->getEffect(), &glow);
  ASSERT_NE(glow.getTrack("beta"), nullptr) << "a track the pack lacks is made empty";
  EXPECT_EQ(extra.getTrack("x")->getKeyframeCount(), 0);
}

TEST_F(TrackSystemIOTest, PackBytesFollowTheRecordLayout) {
  TrackSystem system;
  TrackGroup* group = new TrackGroup("e");
  group->setStartStopTrack(startStopTrack(3, {{1, 2, fbo}}));
  static_cast<TrackStartStopKeyFrame*>(group->getStartStopTrack()->getKeyframe(1))->renderTargetName = "fbo1";
  group->getStartStopTrack()->addKeyframe(new TrackStartStopKeyFrame(7, TrackKeyFrame::START));
  group->addInterpolateTrack(interpolateTrack("a", {{5, 2, 1.5f}}));
  system.addTrackGroup(group);
  TrackSystemIO io(dir);
  ASSERT_TRUE(io.savePack(&system));

  EXPECT_EQ(tree.read("pack/index.list"), bytesOf({2, "e.track", 0, "e.a.track", 38}));
  // A start names its target; a stop has none; a start to the screen stores a lone 0 byte.
  EXPECT_EQ(tree.read("pack/track.data"), bytesOf({3, 3, 1, 1, "fbo1", 2, 0, 7, 1, "", 1, 5, 2, 0x3fc00000}));
}

TEST_F(TrackSystemIOTest, MissingFilesAreRefused) {
  EXPECT_EQ(packError(),
            "Failed to load track data!\nFile : '" + dir + "/index.list'\nThe file is missing\n");
  tree.write("pack/index.list", bytesOf({0}));
  EXPECT_EQ(packError(),
            "Failed to load track data!\nFile : '" + dir + "/track.data'\nThe file is missing\n");
}

// Damaged packs: index entries and records written field by field (a number is a 32-bit int, a
// text a 0-terminated name, "raw:..." bytes without terminator).
TEST_F(TrackSystemIOTest, DamagedPacksAreRefusedNamingTheProblem) {
  const std::string index = "index.list'\n", data = "track.data'\n";
  const struct {
    std::vector<Field> index, data;
    std::string problem;
  } cases[] = {
      {{"raw:\x01"}, {"raw:0123456789abcdef"}, index + "The file is too short to hold its entry count\n"},
      {{-2}, {"raw:0123456789abcdef"}, index + "Negative entry count -2"},
      {{1000000, "e.track", 0}, {"raw:0123456789abcdef"},
       index + "Entry count 1000000 does not fit in the file (16 bytes)"},
      {{1, "raw:e.track"}, {"raw:0123456789abcdef"}, index + "Entry 0: the name has no terminating 0 byte"},
      {{1, "e.track", "raw:\x01"}, {"raw:0123456789abcdef"}, index + "Entry 0 ('e.track'): the offset is cut off"},
      {{1, "other.track", 16}, {"raw:0123456789abcdef"},
       index + "Entry 'other.track': offset 16 lies outside '" + dir + "/track.data' (16 bytes)\n"},
      {{1, "other.track", -4}, {"raw:0123456789abcdef"}, index + "Entry 'other.track': offset -4 lies outside"},
      {{1, "other.track", 1 << 30}, {"raw:0123456789abcdef"}, index + "Entry 'other.track': offset 1073741824"},
      {{1, "e.track", 0}, {0, -3}, data + "Record 'e.track': negative keyframe count -3\n"},
      {{1, "e.track", 0}, {0, 0x7fffffff, 1, 0},
       data + "Record 'e.track': keyframe count 2147483647 does not fit in the file"},
      {{1, "e.track", 0}, {0, 1, 4, 1, "raw:fbo"},
       data + "Record 'e.track': a render target name has no terminating 0 byte"},
      {{1, "e.track", 0}, {"raw:\x01\x02"}, data + "Record 'e.track' runs past the end of the file"},
      // Two keyframes of 12 bytes announced, 14 bytes present.
      {{2, "e.track", 0, "e.alpha.track", 8}, {0, 0, 2, 1, 0, 0, 2, "raw:\x01\x02"},
       data + "Record 'e.alpha.track': keyframe count 2 does not fit in the file"},
  };
  for (const auto& c : cases) {
    tree.write("pack/index.list", bytesOf(c.index));
    tree.write("pack/track.data", bytesOf(c.data));
    const std::string error = packError();
    EXPECT_EQ(error.rfind("Failed to load track data!\nFile : '" + dir + "/", 0), 0u) << error;
    EXPECT_NE(error.find(c.problem), std::string::npos) << error;
  }
}

TEST_F(TrackSystemIOTest, DirectoryFormRoundTripWithMissingFiles) {
  std::unique_ptr<TrackSystem> saved(sampleSystem());
  TrackSystemIO writer(dir);
  ASSERT_TRUE(writer.save(saved.get()));
  EXPECT_EQ(tree.read("pack/blur.track"), bytesOf({2, 2, 0, 1, "", 100, 0}));

  EffectWithTracks glow{"alpha", "red"};
  EffectWithTracks missing{"alpha"};
  TrackSystemIO reader(dir);
  testing::internal::CaptureStdout();
  std::unique_ptr<TrackSystem> loaded(reader.load({"glow1", "missing"}, {&glow, &missing}));
  testing::internal::GetCapturedStdout();
  ASSERT_NE(loaded, nullptr) << reader.getErrorMessage();
  expectSampleKeyframes(*loaded->getTrackGroupByName("glow1"), fbo);
  EXPECT_EQ(missing.getTrackGroup()->getStartStopTrack()->priority, 0);
  EXPECT_EQ(missing.getTrack("alpha")->getKeyframeCount(), 0);
}

TEST(TrackText, ReadingAndWritingGiveTheSameText) {
  TrackText reader;
  std::unique_ptr<TrackSystem> system(reader.read(SAMPLE));
  ASSERT_NE(system, nullptr) << reader.getErrorMessage();
  // Everything read is written back, so the text coming out as it went in checks each field;
  // what the text does not show is checked here.
  EXPECT_EQ(TrackText::write(*system), SAMPLE);
  const TrackGroup* glow = system->getTrackGroupByName("glow1");
  ASSERT_NE(glow, nullptr);
  EXPECT_EQ(glow->getStartStopTrack()->getIntervalStart(35)->renderTarget, nullptr);
  // The drawing order is built from the stored priorities.
  EXPECT_EQ(system->getSortedTrackGroup(0)->getName(), "a fx");
}

TEST(TrackText, TimesBecomeRowsAtTheRowRateAboveThem) {
  TrackText reader;
  std::unique_ptr<TrackSystem> system(
      reader.read("effect e   # no priority means 0\n"
                  "start 0:01:000\n"
                  "rowrate 8\n"
                  "stop 0:01:999\n"
                  "track t\n"
                  "1:00:000 LINEAR 1\n"
                  "\t0:00:130\tLINEAR\t2   # tabs separate too\n"));
  ASSERT_NE(system, nullptr) << reader.getErrorMessage();
  const TrackGroup* group = system->getTrackGroupByName("e");
  EXPECT_EQ(group->getStartStopTrack()->priority, 0);
  EXPECT_TRUE(group->getStartStopTrack()->rowIsStartKeyFrame(20));
  EXPECT_TRUE(group->getStartStopTrack()->rowExists(15));
  EXPECT_TRUE(group->getInterpolateTrack(0)->rowExists(480));
  EXPECT_TRUE(group->getInterpolateTrack(0)->rowExists(1));
}

TEST(TrackText, NamesAreQuotedOnlyWhenNeeded) {
  EXPECT_EQ(TrackText::quote("glow1.alpha"), "glow1.alpha");
  EXPECT_EQ(TrackText::quote(""), "\"\"");
  EXPECT_EQ(TrackText::quote("a b"), "\"a b\"");
  EXPECT_EQ(TrackText::quote("say \"hi\"\\"), "\"say \\\"hi\\\"\\\\\"");
  EXPECT_EQ(TrackText::quote(std::string("t\x01\n", 3)), "\"t\\x01\\x0a\"");

  std::string odd = std::string("e \"#\\\x7f\x02 x", 9);
  TrackText reader;
  std::unique_ptr<TrackSystem> system(reader.read("effect " + TrackText::quote(odd) + "\n"));
  ASSERT_NE(system, nullptr) << reader.getErrorMessage();
  EXPECT_NE(system->getTrackGroupByName(odd), nullptr);
}

TEST(TrackText, ValuesAreWrittenShortAndExact) {
  EXPECT_EQ(TrackText::formatValue(0.1f), "0.1");
  EXPECT_EQ(TrackText::formatValue(5.0f), "5");
  EXPECT_EQ(TrackText::formatValue(-0.0f), "-0");
  EXPECT_EQ(TrackText::formatValue(16777217.0f), "16777216");
  for (float value : {1.0f / 3.0f, 3.4028235e38f, 1.17549435e-38f, 1e-45f, 123456.789f, -7.25e-5f}) {
    EXPECT_EQ(std::strtof(TrackText::formatValue(value).c_str(), nullptr), value) << value;
  }
  EXPECT_EQ(TrackText::formatValue(std::numeric_limits<float>::infinity()), "inf");
  EXPECT_EQ(TrackText::interpolationName(2), "COSINE_IN");
  EXPECT_EQ(TrackText::interpolationName(5), "5");
  EXPECT_EQ(TrackText::interpolationName(-1), "-1");
}

TEST(TrackText, ErrorsNameTheLineAndTheProblem) {
  EXPECT_EQ(errorOf("effect e\n\nfrobnicate 3\n"),
            "line 3: unknown keyword 'frobnicate' (rowrate, effect, start, stop, track or a key row)\n");
  EXPECT_EQ(errorOf("start 1\n"), "line 1: 'start' before any 'effect'\n");
  EXPECT_EQ(errorOf("effect e\n1 LINEAR 0\n"), "line 2: a key row before any 'track'\n");
  EXPECT_EQ(errorOf("effect e\neffect e\n"), "line 2: effect 'e' appears twice\n");
  EXPECT_EQ(errorOf("effect e\ntrack t\ntrack t\n"), "line 3: track 't' appears twice in effect 'e'\n");
  EXPECT_EQ(errorOf("effect e\nstart 5\nstop 5\n"), "line 3: row 5 appears twice\n");
  EXPECT_EQ(errorOf("effect e\ntrack t\n1 LINEAR 1.5x\n"), "line 3: '1.5x' is not a number\n");
  EXPECT_EQ(errorOf("effect e\ntrack t\n1 SMOOTH 1\n"),
            "line 3: unknown interpolation 'SMOOTH' (LINEAR, COSINE_OUT, COSINE_IN, STEP, RAMP or a code)\n");
  EXPECT_EQ(errorOf("rowrate 0\n"), "line 1: expected 'rowrate N' with N from 1 to 1000\n");
  EXPECT_EQ(errorOf("rowrate 1001\n"), "line 1: expected 'rowrate N' with N from 1 to 1000\n");
  EXPECT_EQ(errorOf("effect e\nstart 4294967296\n"),
            "line 2: '4294967296' is not a row (0 to 4294967295) or an m:ss:mmm time\n");
  EXPECT_EQ(errorOf("effect e\nstart 1:02\n"), "line 2: '1:02' is not an m:ss:mmm time\n");
  EXPECT_EQ(errorOf("effect e\nstart -1:00:000\n"), "line 2: '-1:00:000' is not an m:ss:mmm time\n");
  EXPECT_EQ(errorOf("effect e\nstop 3 type 1\n"),
            "line 2: a stop's type must be a whole number other than 1\n");
  EXPECT_EQ(errorOf("effect e\nstart 3 a b\n"), "line 2: expected 'start ROW [TARGET]'\n");
  EXPECT_EQ(errorOf("effect \"e\n"), "line 1: quoted name without its closing '\"'\n");
  EXPECT_EQ(errorOf("effect \"e\\q\"\n"),
            "line 1: unknown escape in a quoted name (use \\\", \\\\ or \\xNN)\n");
  EXPECT_EQ(errorOf("effect e priority 2147483648\n"), "line 1: expected 'effect NAME [priority N]'\n");
}
