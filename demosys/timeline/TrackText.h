// The timeline as text people write, read and diff, and its conversion to and
// from a TrackSystem (which TrackSystemIO turns into a pack):
//
//   rowrate 20                 # only for m:ss:mmm times below
//   effect glow1 priority 3
//     start 10 screen          # interval from row 10 ...
//     stop 0:01:000            # ... to the row of 1 s
//     track alpha
//       10 LINEAR 0.5          # row, interpolation, value
//
// One keyframe per line; "#" starts a comment; names with blanks, '#', '"' or
// '\' are written in double quotes. Writing then reading gives back every
// priority, keyframe, target name and track order, so pack -> text -> pack is
// byte for byte.
// Depends on: TrackSystem and the track classes, Time.
#pragma once

#include <string>
#include <vector>

#include "demosys/timeline/TrackSystem.h"

class TrackText {
 public:
  TrackText();

  // Groups in name order, tracks in the group's order, keyframes by row.
  static std::string write(const TrackSystem& system);
  // A new system with the drawing order built from the stored priorities; null on the first
  // error (see getErrorMessage, which names the line).
  TrackSystem* read(const std::string& text);
  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

  // The shortest decimal text that reads back as exactly value.
  static std::string formatValue(float value);
  // LINEAR, COSINE_OUT, COSINE_IN, STEP, RAMP, or the code in decimal.
  static std::string interpolationName(int code);
  // A name as one token: quoted and escaped when it needs to be.
  static std::string quote(const std::string& name);

 private:
  bool readLine(const std::vector<std::string>& tokens);
  bool readEffect(const std::vector<std::string>& tokens);
  bool readStartStop(const std::vector<std::string>& tokens);
  bool readTrack(const std::vector<std::string>& tokens);
  bool readKey(const std::vector<std::string>& tokens);
  bool readRowRate(const std::vector<std::string>& tokens);
  bool tokenize(const std::string& line, std::vector<std::string>& tokens);
  bool parseRow(const std::string& text, unsigned& row);
  bool addUnique(Track& track, TrackKeyFrame* keyframe);
  bool fail(const std::string& problem);

  TrackSystem* system;
  TrackGroup* group;
  TrackInterpolate* track;
  int rowRate;
  int lineNumber;
  bool valid;
  std::string errorMessage;
};
