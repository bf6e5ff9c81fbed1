// Time: the minutes/seconds/milliseconds view, carrying setters, the text
// form "m:s:ms" with its validity rules and the printed form.
#include <gtest/gtest.h>

#include "demosys/timeline/Time.h"

TEST(Time, TicksSplitIntoMinutesSecondsAndMilliseconds) {
  Time time(83456u);
  EXPECT_EQ(time.getMinutes(), 1u);
  EXPECT_EQ(time.getSeconds(), 23u);
  EXPECT_EQ(time.getMilliseconds(), 456u);
  EXPECT_EQ(time.toString(), "(0000083456)-[01:23:456]");
  EXPECT_EQ(Time().toString(), "(0000000000)-[00:00:000]");
  EXPECT_DOUBLE_EQ(time.getTicksAsDouble(), 83456.0);
  EXPECT_EQ(Time(2, 3, 4).getTicks(), 123004u);
  EXPECT_EQ(Time::time2uint(1, 2, 3), 62003u);
  EXPECT_EQ(Time(200u * 60000u).toString(), "(0012000000)-[200:00:000]");
}

TEST(Time, TextFormNeedsThreeWholeNumbers) {
  Time time("1:02:003");
  EXPECT_TRUE(time.isValid());
  EXPECT_EQ(time.getMinutes(), 1u);
  EXPECT_EQ(time.getSeconds(), 2u);
  EXPECT_EQ(time.getMilliseconds(), 3u);
  EXPECT_EQ(time.getTicks(), 62003u);

  Time unnormalised("0:90:0");
  EXPECT_EQ(unnormalised.getSeconds(), 90u);
  EXPECT_EQ(unnormalised.getTicks(), 90000u);

  for (const char* bad : {"1:02", "a:02:003", "1:2:3:4", "", "1:02:3.5"}) {
    Time parsed(77u);
    parsed.setTimeAsString(bad);
    EXPECT_FALSE(parsed.isValid()) << bad;
    EXPECT_EQ(parsed.getTicks(), 0u) << bad;
    EXPECT_EQ(parsed.getMinutes(), 0u) << bad;
  }

  Time again("x:0:0");
  again.setTimeAsString("0:1:0");
  EXPECT_TRUE(again.isValid());
  EXPECT_EQ(again.getTicks(), 1000u);
}
