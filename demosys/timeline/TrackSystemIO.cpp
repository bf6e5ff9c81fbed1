#include "demosys/timeline/TrackSystemIO.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <map>
#include <memory>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/QNVIO.h"
#include "qnvutils/File.h"

namespace {

// Smallest stored sizes: a stop keyframe is row + type, an interpolation keyframe row + code +
// value, an index entry a one-byte name (its 0) + offset.
const uint32_t START_STOP_KEY_BYTES = 8;
const uint32_t INTERPOLATE_KEY_BYTES = 12;
const uint32_t INDEX_ENTRY_BYTES = 5;

}  // namespace

class TrackSystemIO::RecordSource {
 public:
  virtual ~RecordSource() = default;
  // The file positioned at the entry's record, or null when there is no such record.
  virtual File* find(const std::string& entryName) = 0;
};

class TrackSystemIO::PackSource : public RecordSource {
 public:
  PackSource(File& data, const IndexEntries& entries) : data(data) {
    for (const auto& entry : entries) offsets[entry.first] = entry.second;
  }
  File* find(const std::string& entryName) override {
    auto it = offsets.find(entryName);
    if (it == offsets.end()) return nullptr;
    data.setReadOffset(static_cast<uint32_t>(it->second));
    return &data;
  }

 private:
  File& data;
  std::map<std::string, int32_t> offsets;
};

class TrackSystemIO::DirectorySource : public RecordSource {
 public:
  explicit DirectorySource(const std::string& directory) : directory(directory) {}
  File* find(const std::string& entryName) override {
    current.reset(QNVIO::loadFile(directory + entryName, QNVIO::QNV_RESOURCES_FLAT));
    return current && current->exists() ? current.get() : nullptr;
  }

 private:
  std::string directory;
  std::unique_ptr<File> current;
};

TrackSystemIO::TrackSystemIO(const std::string& location)
    : location(location), debug(false), keepTargetNames(false), valid(true) {}

bool TrackSystemIO::fail(const std::string& fileName, const std::string& problem) {
  valid = false;
  errorMessage = "Failed to load track data!\nFile : '" + fileName + "'\n" + problem + "\n";
  return false;
}

TrackSystem* TrackSystemIO::loadPack(const std::vector<std::string>& names,
                                     const std::vector<Effect*>& effects) {
  TrackSystem* system = readPack(names, effects);
  if (!system) return nullptr;
  system->prioritySanityCheck();
  attachGroups(*system, names, effects);
  return system;
}

TrackSystem* TrackSystemIO::load(const std::vector<std::string>& names, const std::vector<Effect*>& effects) {
  DirectorySource source(location + "/");
  TrackSystem* system = readSystem(source, specsFor(names, effects));
  if (!system) return nullptr;
  system->prioritySanityCheck();
  attachGroups(*system, names, effects);
  return system;
}

TrackSystem* TrackSystemIO::readPack(const std::vector<std::string>& names,
                                     const std::vector<Effect*>& effects) {
  return readPackSystem(specsFor(names, effects));
}

TrackSystem* TrackSystemIO::readAllRecords() {
  std::vector<std::string> entryNames;
  if (!readPackIndex(entryNames)) return nullptr;
  return readPackSystem(specsFromEntries(entryNames));
}

TrackSystem* TrackSystemIO::readPackSystem(const std::vector<GroupSpec>& specs) {
  std::unique_ptr<File> index(QNVIO::loadFile(location + "index.list"));
  IndexEntries entries;
  if (!readIndex(index.get(), entries)) return nullptr;
  std::string dataName = location + "track.data";
  std::unique_ptr<File> data(QNVIO::loadFile(dataName));
  if (!data || !data->exists()) {
    fail(dataName, "The file is missing");
    return nullptr;
  }
  if (!checkOffsets(*index, *data, entries)) return nullptr;
  PackSource source(*data, entries);
  return readSystem(source, specs);
}

bool TrackSystemIO::readPackIndex(std::vector<std::string>& entryNames) {
  std::unique_ptr<File> index(QNVIO::loadFile(location + "index.list"));
  IndexEntries entries;
  if (!readIndex(index.get(), entries)) return false;
  for (const auto& entry : entries) entryNames.push_back(entry.first);
  return true;
}

std::vector<TrackSystemIO::GroupSpec> TrackSystemIO::specsFor(const std::vector<std::string>& names,
                                                              const std::vector<Effect*>& effects) {
  std::vector<GroupSpec> specs;
  for (size_t i = 0; i < names.size() && i < effects.size(); ++i) {
    GroupSpec spec{names[i], effects[i], {}};
    for (int t = 0; effects[i] && t < effects[i]->getTrackCount(); ++t) {
      spec.trackNames.push_back(effects[i]->getTrackName(t));
    }
    specs.push_back(spec);
  }
  return specs;
}

std::vector<TrackSystemIO::GroupSpec> TrackSystemIO::specsFromEntries(
    const std::vector<std::string>& entryNames) {
  const std::string suffix = ".track";
  std::vector<std::string> stems;
  for (const std::string& entry : entryNames) {
    if (entry.size() > suffix.size() &&
        entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) == 0) {
      stems.push_back(entry.substr(0, entry.size() - suffix.size()));
    }
  }
  // A stem's role depends only on shorter stems, so deciding them shortest first settles every one.
  std::vector<size_t> order(stems.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&stems](size_t a, size_t b) { return stems[a].size() < stems[b].size(); });
  std::map<std::string, size_t> effectIndex;
  std::vector<std::pair<size_t, std::string>> owner(stems.size(), {SIZE_MAX, ""});
  for (size_t i : order) {
    const std::string& stem = stems[i];
    for (size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0; dot = stem.rfind('.', dot - 1)) {
      auto it = effectIndex.find(stem.substr(0, dot));
      if (it != effectIndex.end()) {
        owner[i] = {it->second, stem.substr(dot + 1)};
        break;
      }
    }
    if (owner[i].first == SIZE_MAX && !effectIndex.count(stem)) effectIndex[stem] = i;
  }
  std::map<size_t, GroupSpec> groups;
  for (const auto& effect : effectIndex) groups[effect.second] = GroupSpec{effect.first, nullptr, {}};
  for (size_t i = 0; i < stems.size(); ++i) {
    if (owner[i].first == SIZE_MAX) continue;
    std::vector<std::string>& trackNames = groups[owner[i].first].trackNames;
    if (std::find(trackNames.begin(), trackNames.end(), owner[i].second) == trackNames.end()) {
      trackNames.push_back(owner[i].second);
    }
  }
  std::vector<GroupSpec> specs;
  for (auto& group : groups) specs.push_back(group.second);
  return specs;
}

bool TrackSystemIO::readIndex(File* index, IndexEntries& entries) {
  std::string indexName = location + "index.list";
  if (!index || !index->exists()) return fail(indexName, "The file is missing");
  int32_t count = index->readInt();
  if (index->overrun()) return fail(indexName, "The file is too short to hold its entry count");
  if (count < 0) return fail(indexName, "Negative entry count " + std::to_string(count));
  if (static_cast<uint32_t>(count) > index->remaining() / INDEX_ENTRY_BYTES) {
    return fail(indexName, "Entry count " + std::to_string(count) + " does not fit in the file (" +
                               std::to_string(index->getFileSize()) + " bytes)");
  }
  for (int32_t i = 0; i < count; ++i) {
    std::string name = index->readString();
    if (index->overrun()) {
      return fail(indexName, "Entry " + std::to_string(i) + ": the name has no terminating 0 byte");
    }
    int32_t offset = index->readInt();
    if (index->overrun()) {
      return fail(indexName, "Entry " + std::to_string(i) + " ('" + name + "'): the offset is cut off");
    }
    entries.emplace_back(name, offset);
  }
  return true;
}

bool TrackSystemIO::checkOffsets(const File& index, const File& data, const IndexEntries& entries) {
  for (const auto& entry : entries) {
    if (entry.second < 0 || static_cast<uint32_t>(entry.second) >= data.getFileSize()) {
      return fail(index.getFilename(), "Entry '" + entry.first + "': offset " + std::to_string(entry.second) +
                                           " lies outside '" + data.getFilename() + "' (" +
                                           std::to_string(data.getFileSize()) + " bytes)");
    }
  }
  return true;
}

TrackSystem* TrackSystemIO::readSystem(RecordSource& source, const std::vector<GroupSpec>& specs) {
  std::unique_ptr<TrackSystem> system(new TrackSystem());
  for (const GroupSpec& spec : specs) {
    TrackGroup* group = new TrackGroup(spec.name);
    group->setEffect(spec.effect);
    system->addTrackGroup(group);
    if (!readGroup(source, *group, spec.trackNames)) return nullptr;
  }
  system->createPrioritySystem();
  return system.release();
}

bool TrackSystemIO::readGroup(RecordSource& source, TrackGroup& group,
                              const std::vector<std::string>& trackNames) {
  const std::string& name = group.getName();
  if (File* record = source.find(name + ".track")) {
    TrackStartStop* track = loadStartStopTrack(record, name);
    if (!track) return false;
    group.setStartStopTrack(track);
  } else if (debug) {
    std::cout << "Track '" << name << ".track' do not exit. Creating dummy." << std::endl;
  }
  for (const std::string& trackName : trackNames) {
    TrackInterpolate* track = nullptr;
    if (File* record = source.find(name + "." + trackName + ".track")) {
      track = loadInterpolateTrack(record, name, trackName);
      if (!track) return false;
    } else {
      if (debug) {
        std::cout << "-> '" << name << "." << trackName << ".track' do not exit. Creating dummy."
                  << std::endl;
      }
      track = new TrackInterpolate(trackName);
    }
    group.addInterpolateTrack(track);
  }
  return true;
}

void TrackSystemIO::attachGroups(TrackSystem& system, const std::vector<std::string>& names,
                                 const std::vector<Effect*>& effects) {
  for (size_t i = 0; i < names.size() && i < effects.size(); ++i) {
    if (effects[i]) effects[i]->setTrackGroup(system.getTrackGroupByName(names[i]));
  }
}

bool TrackSystemIO::countFits(File* file, int32_t count, uint32_t bytesEach, const std::string& record) {
  if (file->overrun()) return recordFits(file, record);
  if (count < 0) {
    return fail(file->getFilename(),
                "Record '" + record + "': negative keyframe count " + std::to_string(count));
  }
  if (static_cast<uint32_t>(count) > file->remaining() / bytesEach) {
    return fail(file->getFilename(), "Record '" + record + "': keyframe count " + std::to_string(count) +
                                         " does not fit in the file");
  }
  return true;
}

bool TrackSystemIO::recordFits(File* file, const std::string& record) {
  if (!file->overrun()) return true;
  return fail(file->getFilename(), "Record '" + record + "' runs past the end of the file");
}

bool TrackSystemIO::readStartKeyFrameTarget(File* file, TrackStartStopKeyFrame& keyframe,
                                            const std::string& record) {
  uint32_t before = file->getReadOffset();
  std::string targetName = file->readString();
  if (file->overrun()) {
    return fail(file->getFilename(),
                "Record '" + record + "': a render target name has no terminating 0 byte");
  }
  bool lone0 = file->getReadOffset() - before == 1;
  if (debug) std::cout << "Raw string = '" << targetName << "'" << std::endl;
  DataFBOPool* pool = QNVDemosys::fboPool;
  if (pool && pool->exists(targetName)) {
    keyframe.renderTarget = pool->getFBO(targetName);
    keyframe.renderTargetName = targetName;
  } else if (keepTargetNames && !lone0) {
    keyframe.renderTargetName = targetName;
  }
  return true;
}

TrackStartStop* TrackSystemIO::loadStartStopTrack(File* file, const std::string& name) {
  std::string record = name + ".track";
  int32_t priority = file->readInt();
  std::cout << "Loading '" << record << "' (" << priority << ")" << std::endl;
  int32_t count = file->readInt();
  if (!countFits(file, count, START_STOP_KEY_BYTES, record)) return nullptr;
  std::unique_ptr<TrackStartStop> track(new TrackStartStop(priority));
  for (int32_t i = 0; i < count; ++i) {
    uint32_t row = static_cast<uint32_t>(file->readInt());
    int32_t type = file->readInt();
    std::unique_ptr<TrackStartStopKeyFrame> keyframe(new TrackStartStopKeyFrame(row, type));
    if (type == TrackKeyFrame::START && !readStartKeyFrameTarget(file, *keyframe, record)) return nullptr;
    if (!recordFits(file, record)) return nullptr;
    if (debug)
      std::cout << "keyframe " << row << " : " << type << ", " << keyframe->renderTargetName << std::endl;
    track->addKeyframe(keyframe.release());
  }
  return track.release();
}

TrackInterpolate* TrackSystemIO::loadInterpolateTrack(File* file, const std::string& effectName,
                                                      const std::string& trackName) {
  std::string record = effectName + "." + trackName + ".track";
  std::cout << "Loading '" << effectName << "." << trackName << "'" << std::endl;
  int32_t count = file->readInt();
  if (!countFits(file, count, INTERPOLATE_KEY_BYTES, record)) return nullptr;
  std::unique_ptr<TrackInterpolate> track(new TrackInterpolate(trackName));
  for (int32_t i = 0; i < count; ++i) {
    uint32_t row = static_cast<uint32_t>(file->readInt());
    int32_t code = file->readInt();
    float value = file->readFloat();
    if (debug) std::cout << "keyframe " << row << " : " << code << ", " << value << std::endl;
    track->addKeyframe(new TrackKeyFrameInterpolate(row, code, value));
  }
  if (!recordFits(file, record)) return nullptr;
  return track.release();
}
