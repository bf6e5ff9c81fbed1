// `demosys tracks`: track packs (index.list + track.data) as the timeline text
// form and back, and quick questions about a pack: the value of one track at a
// time, the effects drawn at a row.
// Depends on: TrackSystemIO, TrackText, TrackSystem, QNVDemosys (row rate for evaluation).
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <streambuf>

#include "demosys/core/QNVDemosys.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "demosys/timeline/TrackText.h"
#include "tools/ToolCommand.h"

namespace {

const char* const USAGE =
    "usage: demosys tracks dump DIR\n"
    "       demosys tracks build TEXT DIR\n"
    "       demosys tracks eval DIR EFFECT TRACK TIME_MS [ROWRATE]\n"
    "       demosys tracks active DIR ROW\n";

// The loader reports each record it reads on standard output; the tool's output there is its answer.
class SilencedStdout {
 public:
  SilencedStdout() : previous(std::cout.rdbuf(&sink)) {}
  ~SilencedStdout() { std::cout.rdbuf(previous); }

 private:
  class NullBuffer : public std::streambuf {
   protected:
    int overflow(int c) override { return c; }
  };
  NullBuffer sink;
  std::streambuf* previous;
};

int failure(const std::string& message) {
  std::fprintf(stderr, "demosys tracks: %s%s", message.c_str(), message.back() == '\n' ? "" : "\n");
  return 1;
}

bool parseUnsigned(const std::string& text, unsigned long max, unsigned long& out) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  out = std::strtoul(text.c_str(), nullptr, 10);
  return out <= max;
}

std::unique_ptr<TrackSystem> readPack(const std::string& dir, std::string& error) {
  TrackSystemIO io(dir.back() == '/' ? dir : dir + "/");
  io.setKeepTargetNames(true);
  SilencedStdout quiet;
  std::unique_ptr<TrackSystem> system(io.readAllRecords());
  if (!system) error = io.getErrorMessage();
  return system;
}

int dump(const std::string& dir) {
  std::string error;
  std::unique_ptr<TrackSystem> system = readPack(dir, error);
  if (!system) return failure(error);
  std::fputs(TrackText::write(*system).c_str(), stdout);
  return 0;
}

int build(const std::string& textPath, const std::string& dir) {
  std::ifstream in(textPath, std::ios::binary);
  if (!in) return failure("cannot read '" + textPath + "'");
  std::ostringstream text;
  text << in.rdbuf();
  TrackText reader;
  std::unique_ptr<TrackSystem> system(reader.read(text.str()));
  if (!system) return failure(textPath + ": " + reader.getErrorMessage());
  if (mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST)
    return failure("cannot create the directory '" + dir + "'");
  TrackSystemIO writer(dir);
  if (!writer.savePack(system.get())) return failure(writer.getErrorMessage());
  return 0;
}

int eval(const std::vector<std::string>& args) {
  unsigned long time = 0;
  unsigned long rowRate = TrackSystem::DEFAULT_ROW_RATE;
  if (!parseUnsigned(args[4], UINT32_MAX, time)) return failure("TIME_MS must be whole milliseconds");
  if (args.size() == 6 && (!parseUnsigned(args[5], TrackSystem::MAX_ROW_RATE, rowRate) || rowRate == 0)) {
    return failure("ROWRATE must be from 1 to " + std::to_string(TrackSystem::MAX_ROW_RATE));
  }
  std::string error;
  std::unique_ptr<TrackSystem> system = readPack(args[1], error);
  if (!system) return failure(error);
  const TrackGroup* group = system->getTrackGroupByName(args[2]);
  const TrackInterpolate* track = group ? group->getInterpolateTrackByName(args[3]) : nullptr;
  if (!track) return failure("no track '" + args[3] + "' for effect '" + args[2] + "' in '" + args[1] + "'");
  system->setRowRate(static_cast<int>(rowRate));
  QNVDemosys::tracks = system.get();
  float value = track->getValue(static_cast<unsigned>(time));
  QNVDemosys::tracks = nullptr;
  std::printf("%s\n", TrackText::formatValue(value).c_str());
  return 0;
}

int active(const std::string& dir, const std::string& rowText) {
  unsigned long row = 0;
  if (!parseUnsigned(rowText, UINT32_MAX, row)) return failure("ROW must be a whole row number");
  std::string error;
  std::unique_ptr<TrackSystem> system = readPack(dir, error);
  if (!system) return failure(error);
  for (int i = 0; i < system->getSortedTrackGroupCount(); ++i) {
    const TrackGroup* group = system->getSortedTrackGroup(i);
    const TrackStartStopKeyFrame* start =
        group->getStartStopTrack()->getIntervalStart(static_cast<unsigned>(row));
    if (!start) continue;
    std::printf("%s %s\n", TrackText::quote(group->getName()).c_str(),
                TrackText::quote(start->renderTargetName).c_str());
  }
  return 0;
}

}  // namespace

int runTracksCommand(const std::vector<std::string>& args) {
  std::string sub = args.empty() ? "" : args[0];
  if (sub == "dump" && args.size() == 2) return dump(args[1]);
  if (sub == "build" && args.size() == 3) return build(args[1], args[2]);
  if (sub == "eval" && (args.size() == 5 || args.size() == 6)) return eval(args);
  if (sub == "active" && args.size() == 3) return active(args[1], args[2]);
  std::fputs(USAGE, stderr);
  return 2;
}
