#include "demosys/timeline/TrackText.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>

#include "demosys/timeline/Time.h"

namespace {

const char* const INTERPOLATION_NAMES[] = {"LINEAR", "COSINE_OUT", "COSINE_IN", "STEP", "RAMP"};
const int INTERPOLATION_COUNT = 5;

bool needsQuotes(const std::string& name) {
  if (name.empty()) return true;
  for (unsigned char c : name) {
    if (c <= ' ' || c == 0x7f || c == '#' || c == '"' || c == '\\') return true;
  }
  return false;
}

bool parseLong(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty() || text.size() > 20) return false;
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return false;
  for (char c : text) {
    if (c != '-' && (c < '0' || c > '9')) return false;
  }
  out = value;
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void writeStartStop(std::ostringstream& out, const TrackStartStop& track) {
  std::vector<TrackKeyFrame*> keyframes;
  track.fetchKeyFrameVector(keyframes);
  for (const TrackKeyFrame* keyframe : keyframes) {
    if (keyframe->isStart()) {
      out << "  start " << keyframe->row << " "
          << TrackText::quote(static_cast<const TrackStartStopKeyFrame*>(keyframe)->renderTargetName) << "\n";
    } else if (keyframe->type == TrackKeyFrame::STOP) {
      out << "  stop " << keyframe->row << "\n";
    } else {
      out << "  stop " << keyframe->row << " type " << keyframe->type << "\n";
    }
  }
}

void writeInterpolate(std::ostringstream& out, const TrackInterpolate& track) {
  out << "  track " << TrackText::quote(track.getName()) << "\n";
  std::vector<TrackKeyFrame*> keyframes;
  track.fetchKeyFrameVector(keyframes);
  for (const TrackKeyFrame* keyframe : keyframes) {
    const auto* key = static_cast<const TrackKeyFrameInterpolate*>(keyframe);
    out << "    " << key->row << " " << TrackText::interpolationName(key->interpolation) << " "
        << TrackText::formatValue(key->value) << "\n";
  }
}

}  // namespace

TrackText::TrackText()
    : system(nullptr),
      group(nullptr),
      track(nullptr),
      rowRate(TrackSystem::DEFAULT_ROW_RATE),
      lineNumber(0),
      valid(true) {}

std::string TrackText::formatValue(float value) {
  char text[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) break;
  }
  return text;
}

std::string TrackText::interpolationName(int code) {
  if (code >= 0 && code < INTERPOLATION_COUNT) return INTERPOLATION_NAMES[code];
  return std::to_string(code);
}

std::string TrackText::quote(const std::string& name) {
  if (!needsQuotes(name)) return name;
  std::string quoted = "\"";
  for (unsigned char c : name) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < ' ' || c == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      quoted += escape;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

std::string TrackText::write(const TrackSystem& system) {
  std::ostringstream out;
  out << "# Quenvar timeline: rows, or m:ss:mmm times at the rowrate given above them.\n";
  for (int i = 0; i < system.size(); ++i) {
    const TrackGroup* group = system.getTrackGroup(i);
    out << "\neffect " << quote(group->getName()) << " priority " << group->getStartStopTrack()->priority
        << "\n";
    writeStartStop(out, *group->getStartStopTrack());
    for (int t = 0; t < group->getInterpolateTrackCount(); ++t)
      writeInterpolate(out, *group->getInterpolateTrack(t));
  }
  return out.str();
}

bool TrackText::fail(const std::string& problem) {
  valid = false;
  errorMessage = "line " + std::to_string(lineNumber) + ": " + problem + "\n";
  return false;
}

TrackSystem* TrackText::read(const std::string& text) {
  std::unique_ptr<TrackSystem> result(new TrackSystem());
  system = result.get();
  group = nullptr;
  track = nullptr;
  rowRate = TrackSystem::DEFAULT_ROW_RATE;
  valid = true;
  errorMessage.clear();
  std::istringstream lines(text);
  std::string line;
  std::vector<std::string> tokens;
  for (lineNumber = 1; std::getline(lines, line); ++lineNumber) {
    tokens.clear();
    if (!tokenize(line, tokens)) return nullptr;
    if (!tokens.empty() && !readLine(tokens)) return nullptr;
  }
  system->createPrioritySystem();
  return result.release();
}

bool TrackText::tokenize(const std::string& line, std::vector<std::string>& tokens) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == '#') break;
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    std::string token;
    if (c != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') {
        token += line[i++];
      }
      tokens.push_back(token);
      continue;
    }
    for (++i; i < line.size() && line[i] != '"'; ++i) {
      if (line[i] != '\\') {
        token += line[i];
      } else if (i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
        token += line[++i];
      } else if (i + 3 < line.size() && line[i + 1] == 'x' && hexDigit(line[i + 2]) >= 0 &&
                 hexDigit(line[i + 3]) >= 0) {
        token += static_cast<char>(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
        i += 3;
      } else {
        return fail("unknown escape in a quoted name (use \\\", \\\\ or \\xNN)");
      }
    }
    if (i >= line.size()) return fail("quoted name without its closing '\"'");
    ++i;
    tokens.push_back(token);
  }
  return true;
}

bool TrackText::readLine(const std::vector<std::string>& tokens) {
  const std::string& keyword = tokens[0];
  if (keyword == "rowrate") return readRowRate(tokens);
  if (keyword == "effect") return readEffect(tokens);
  if (keyword == "start" || keyword == "stop") return readStartStop(tokens);
  if (keyword == "track") return readTrack(tokens);
  if (keyword[0] >= '0' && keyword[0] <= '9') return readKey(tokens);
  return fail("unknown keyword '" + keyword + "' (rowrate, effect, start, stop, track or a key row)");
}

bool TrackText::readRowRate(const std::vector<std::string>& tokens) {
  long long rate = 0;
  if (tokens.size() != 2 || !parseLong(tokens[1], 1, TrackSystem::MAX_ROW_RATE, rate)) {
    return fail("expected 'rowrate N' with N from 1 to " + std::to_string(TrackSystem::MAX_ROW_RATE));
  }
  rowRate = static_cast<int>(rate);
  return true;
}

bool TrackText::readEffect(const std::vector<std::string>& tokens) {
  long long priority = 0;
  bool withPriority = tokens.size() == 4 && tokens[2] == "priority";
  if ((tokens.size() != 2 && !withPriority) ||
      (withPriority && !parseLong(tokens[3], INT32_MIN, INT32_MAX, priority))) {
    return fail("expected 'effect NAME [priority N]'");
  }
  if (system->getTrackGroupByName(tokens[1])) return fail("effect '" + tokens[1] + "' appears twice");
  group = new TrackGroup(tokens[1]);
  group->setStartStopTrack(new TrackStartStop(static_cast<int>(priority)));
  system->addTrackGroup(group);
  track = nullptr;
  return true;
}

bool TrackText::parseRow(const std::string& text, unsigned& row) {
  long long value = 0;
  if (text.find(':') == std::string::npos) {
    if (parseLong(text, 0, UINT32_MAX, value)) {
      row = static_cast<unsigned>(value);
      return true;
    }
    return fail("'" + text + "' is not a row (0 to 4294967295) or an m:ss:mmm time");
  }
  Time time(text);
  uint64_t converted = static_cast<uint64_t>(time.getTicks()) * static_cast<uint64_t>(rowRate) / 1000;
  if (!time.isValid() || text[0] == '-' || text.find(":-") != std::string::npos || converted > UINT32_MAX) {
    return fail("'" + text + "' is not an m:ss:mmm time");
  }
  row = static_cast<unsigned>(converted);
  return true;
}

bool TrackText::addUnique(Track& target, TrackKeyFrame* keyframe) {
  std::unique_ptr<TrackKeyFrame> owned(keyframe);
  if (target.rowExists(keyframe->row)) return fail("row " + std::to_string(keyframe->row) + " appears twice");
  target.addKeyframe(owned.release());
  return true;
}

bool TrackText::readStartStop(const std::vector<std::string>& tokens) {
  if (!group) return fail("'" + tokens[0] + "' before any 'effect'");
  bool start = tokens[0] == "start";
  bool shapeOk = start ? tokens.size() == 2 || tokens.size() == 3
                       : tokens.size() == 2 || (tokens.size() == 4 && tokens[2] == "type");
  if (!shapeOk) return fail(start ? "expected 'start ROW [TARGET]'" : "expected 'stop ROW [type N]'");
  unsigned row = 0;
  if (!parseRow(tokens[1], row)) return false;
  long long type = start ? TrackKeyFrame::START : TrackKeyFrame::STOP;
  if (tokens.size() == 4 &&
      (!parseLong(tokens[3], INT32_MIN, INT32_MAX, type) || type == TrackKeyFrame::START)) {
    return fail("a stop's type must be a whole number other than 1");
  }
  TrackStartStopKeyFrame* keyframe = new TrackStartStopKeyFrame(row, static_cast<int>(type));
  if (start && tokens.size() == 3) keyframe->renderTargetName = tokens[2];
  return addUnique(*group->getStartStopTrack(), keyframe);
}

bool TrackText::readTrack(const std::vector<std::string>& tokens) {
  if (!group) return fail("'track' before any 'effect'");
  if (tokens.size() != 2) return fail("expected 'track NAME'");
  for (int i = 0; i < group->getInterpolateTrackCount(); ++i) {
    if (group->getInterpolateTrack(i)->getName() == tokens[1]) {
      return fail("track '" + tokens[1] + "' appears twice in effect '" + group->getName() + "'");
    }
  }
  track = new TrackInterpolate(tokens[1]);
  group->addInterpolateTrack(track);
  return true;
}

bool TrackText::readKey(const std::vector<std::string>& tokens) {
  if (!track) return fail("a key row before any 'track'");
  if (tokens.size() != 3) return fail("expected 'ROW INTERPOLATION VALUE'");
  unsigned row = 0;
  if (!parseRow(tokens[0], row)) return false;
  long long code = -1;
  for (int i = 0; i < INTERPOLATION_COUNT; ++i) {
    if (tokens[1] == INTERPOLATION_NAMES[i]) code = i;
  }
  if (code < 0 && !parseLong(tokens[1], INT32_MIN, INT32_MAX, code)) {
    return fail("unknown interpolation '" + tokens[1] +
                "' (LINEAR, COSINE_OUT, COSINE_IN, STEP, RAMP or a code)");
  }
  char* end = nullptr;
  float value = std::strtof(tokens[2].c_str(), &end);
  if (tokens[2].empty() || *end != '\0') return fail("'" + tokens[2] + "' is not a number");
  return addUnique(*track, new TrackKeyFrameInterpolate(row, static_cast<int>(code), value));
}
