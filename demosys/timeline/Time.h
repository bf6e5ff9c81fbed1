// A timeline position in milliseconds with its minutes / seconds /
// milliseconds view and a text form "m:s:ms". After every setter
// ticks = minutes * 60000 + seconds * 1000 + milliseconds.
// Depends on: StringTokenizer, StringUtils, QNVUtils (text parsing).
#pragma once

#include <string>

class Time {
 public:
  Time();
  explicit Time(unsigned ticks);
  Time(int minutes, int seconds, int milliseconds);
  explicit Time(const std::string& text);

  void setTicks(unsigned ticks);
  void setMinutes(int m);
  // Whole minutes in s carry into the minutes.
  void setSeconds(int s);
  // Whole seconds in ms carry into the seconds (not on into the minutes).
  void setMilliseconds(int ms);
  // Parses "m:s:ms"; anything else gives 0 ms and not valid. Values are not normalised.
  void setTimeAsString(const std::string& text);

  unsigned getTicks() const { return ticks; }
  double getTicksAsDouble() const { return ticks; }
  unsigned getMinutes() const { return minutes; }
  unsigned getSeconds() const { return seconds; }
  unsigned getMilliseconds() const { return milliseconds; }
  bool isValid() const { return valid; }
  // The four numbers to 0; validity unchanged.
  void reset();

  static unsigned time2uint(unsigned minutes, unsigned seconds, unsigned milliseconds);
  // "(" ticks padded to 10 digits ")-[" mm ":" ss ":" mmm "]", e.g. (0000083456)-[01:23:456].
  std::string toString() const;

 private:
  void updateTicks() { ticks = time2uint(minutes, seconds, milliseconds); }

  unsigned minutes;
  unsigned seconds;
  unsigned milliseconds;
  unsigned ticks;
  bool valid;
};
