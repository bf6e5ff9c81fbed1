// The timeline text form: written exactly, read back, and errors that name the line.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackText.h"
#include "tests/demosys/TimelineTestSupport.h"

using namespace timeline_test;

namespace {

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
