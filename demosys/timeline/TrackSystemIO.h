// Reads and writes the track data of a production. Two forms hold the same
// records: a pack ("index.list" naming each record's offset in "track.data"),
// which the demo loads, and a directory of single ".track" files for tools.
// Loading builds one TrackGroup per effect instance, with empty stand-by
// tracks for every record that is missing, and refuses damaged files (a
// count, offset or name that does not fit the file) with a message naming the
// file and the problem, never reading past the data.
// Depends on: TrackSystem and the track classes, Effect, QNVIO / File, DataFBOPool (targets).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "demosys/timeline/TrackSystem.h"

class Effect;
class File;

class TrackSystemIO {
 public:
  // For loadPack the location ends with "/"; the other forms add the separator themselves.
  explicit TrackSystemIO(const std::string& location);

  // The system for the effects (parallel lists), priorities renumbered 0..n-1 in drawing order and
  // each group handed to its effect; null when the pack is damaged (see getErrorMessage). No effect
  // receives a group unless the whole load succeeds.
  TrackSystem* loadPack(const std::vector<std::string>& names, const std::vector<Effect*>& effects);
  // The same from single ".track" files; a missing file is a missing record.
  TrackSystem* load(const std::vector<std::string>& names, const std::vector<Effect*>& effects);
  // As loadPack, for tools: stored priorities are kept (the drawing order is built from them) and
  // the groups are not handed to the effects.
  TrackSystem* readPack(const std::vector<std::string>& names, const std::vector<Effect*>& effects);
  // The entry names of "index.list" in file order; false when the index is missing or damaged.
  bool readPackIndex(std::vector<std::string>& entryNames);
  // Every record of the pack, for tools that know no effects: "E.track" is the start/stop track of
  // an effect E, and "E.T.track" its track T when "E.track" is also an entry (the longest such E).
  // Stored priorities are kept; the groups have no effects.
  TrackSystem* readAllRecords();

  bool savePack(TrackSystem* system);
  bool save(TrackSystem* system);

  // One record at the file's read offset; null when the record does not fit the file.
  TrackStartStop* loadStartStopTrack(File* file, const std::string& name);
  TrackInterpolate* loadInterpolateTrack(File* file, const std::string& effectName,
                                         const std::string& trackName);
  void saveStartStopTrack(File* file, TrackStartStop* track);
  void saveInterpolateTrack(File* file, TrackInterpolate* track);

  void setDebug(bool flag) { debug = flag; }
  // Tools without framebuffers: a target that the pool lacks keeps the name read (a lone 0 byte
  // reads as "screen") instead of falling back to the screen's name.
  void setKeepTargetNames(bool flag) { keepTargetNames = flag; }

  bool isValid() const { return valid; }
  const std::string& getErrorMessage() const { return errorMessage; }

 private:
  typedef std::vector<std::pair<std::string, int32_t>> IndexEntries;
  // Where the records of one load come from: the pack or the directory.
  class RecordSource;
  class PackSource;
  class DirectorySource;

  // What to read for one group: its name, its effect and the tracks the effect registered.
  struct GroupSpec {
    std::string name;
    Effect* effect;
    std::vector<std::string> trackNames;
  };

  static std::vector<GroupSpec> specsFor(const std::vector<std::string>& names,
                                         const std::vector<Effect*>& effects);
  static std::vector<GroupSpec> specsFromEntries(const std::vector<std::string>& entryNames);
  TrackSystem* readPackSystem(const std::vector<GroupSpec>& specs);
  TrackSystem* readSystem(RecordSource& source, const std::vector<GroupSpec>& specs);
  bool readGroup(RecordSource& source, TrackGroup& group, const std::vector<std::string>& trackNames);
  void attachGroups(TrackSystem& system, const std::vector<std::string>& names,
                    const std::vector<Effect*>& effects);
  bool readIndex(File* index, IndexEntries& entries);
  bool checkOffsets(const File& index, const File& data, const IndexEntries& entries);
  bool readStartKeyFrameTarget(File* file, TrackStartStopKeyFrame& keyframe, const std::string& record);
  bool countFits(File* file, int32_t count, uint32_t bytesEach, const std::string& record);
  bool recordFits(File* file, const std::string& record);
  bool writeFile(File& file);
  bool fail(const std::string& fileName, const std::string& problem);

  std::string location;
  bool debug;
  bool keepTargetNames;
  bool valid;
  std::string errorMessage;
};
