#include "demosys/timeline/Time.h"

#include <cstdio>

#include "qnvutils/QNVUtils.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

Time::Time() : minutes(0), seconds(0), milliseconds(0), ticks(0), valid(true) {}

Time::Time(unsigned ticks) : Time() { setTicks(ticks); }

Time::Time(int minutes, int seconds, int milliseconds)
    : minutes(minutes), seconds(seconds), milliseconds(milliseconds), ticks(0), valid(true) {
  updateTicks();
}

Time::Time(const std::string& text) : Time() { setTimeAsString(text); }

void Time::setTicks(unsigned t) {
  ticks = t;
  minutes = t / 60000;
  seconds = (t % 60000) / 1000;
  milliseconds = t % 1000;
}

void Time::setMinutes(int m) {
  minutes = m;
  updateTicks();
}

void Time::setSeconds(int s) {
  for (; s > 59; s -= 60) ++minutes;
  seconds = s;
  updateTicks();
}

void Time::setMilliseconds(int ms) {
  for (; ms > 999; ms -= 1000) ++seconds;
  milliseconds = ms;
  updateTicks();
}

void Time::reset() { minutes = seconds = milliseconds = ticks = 0; }

unsigned Time::time2uint(unsigned m, unsigned s, unsigned ms) { return m * 60000 + s * 1000 + ms; }

void Time::setTimeAsString(const std::string& text) {
  valid = true;
  StringTokenizer tokens(text, ":");
  if (tokens.countTokens() != 3) {
    reset();
    valid = false;
    return;
  }
  unsigned* fields[] = {&minutes, &seconds, &milliseconds};
  for (unsigned* field : fields) {
    std::string token = tokens.getNext();
    if (StringUtils::isInt(token)) {
      *field = QNVUtils::string2Int(token);
    } else {
      valid = false;
    }
  }
  if (valid) {
    updateTicks();
  } else {
    reset();
  }
}

std::string Time::toString() const {
  char text[64];
  std::snprintf(text, sizeof text, "(%010u)-[%02u:%02u:%03u]", ticks, minutes, seconds, milliseconds);
  return text;
}
