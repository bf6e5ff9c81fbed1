// TrackSystemIO: writing the pack and the single-file form.
#include <memory>

#include "demosys/timeline/TrackSystemIO.h"
#include "qnvutils/File.h"

namespace {

void putName(File& file, const std::string& name) {
  file.put(name);
  file.put(static_cast<unsigned char>(0));
}

void putIndexEntry(File& index, const std::string& name, const File& data) {
  putName(index, name);
  index.put(static_cast<int32_t>(data.getWriteOffset()));
}

}  // namespace

bool TrackSystemIO::writeFile(File& file) {
  if (file.write()) return true;
  valid = false;
  errorMessage =
      "Failed to save track data!\nFile : '" + file.getFilename() + "'\nThe file could not be written\n";
  return false;
}

bool TrackSystemIO::savePack(TrackSystem* system) {
  File index(location + "/index.list", File::MODE_WRITE_TRUNCATE);
  File data(location + "/track.data", File::MODE_WRITE_TRUNCATE);
  index.put(static_cast<int32_t>(system->countAllTracks()));
  for (int i = 0; i < system->size(); ++i) {
    TrackGroup* group = system->getTrackGroup(i);
    putIndexEntry(index, group->getName() + ".track", data);
    saveStartStopTrack(&data, group->getStartStopTrack());
    for (int t = 0; t < group->getInterpolateTrackCount(); ++t) {
      TrackInterpolate* track = group->getInterpolateTrack(t);
      putIndexEntry(index, group->getName() + "." + track->getName() + ".track", data);
      saveInterpolateTrack(&data, track);
    }
  }
  return writeFile(index) && writeFile(data);
}

bool TrackSystemIO::save(TrackSystem* system) {
  for (int i = 0; i < system->size(); ++i) {
    TrackGroup* group = system->getTrackGroup(i);
    File startStop(location + "/" + group->getName() + ".track", File::MODE_WRITE_TRUNCATE);
    saveStartStopTrack(&startStop, group->getStartStopTrack());
    if (!writeFile(startStop)) return false;
    for (int t = 0; t < group->getInterpolateTrackCount(); ++t) {
      TrackInterpolate* track = group->getInterpolateTrack(t);
      File file(location + "/" + group->getName() + "." + track->getName() + ".track",
                File::MODE_WRITE_TRUNCATE);
      saveInterpolateTrack(&file, track);
      if (!writeFile(file)) return false;
    }
  }
  return true;
}

void TrackSystemIO::saveStartStopTrack(File* file, TrackStartStop* track) {
  std::vector<TrackKeyFrame*> keyframes;
  track->fetchKeyFrameVector(keyframes);
  file->put(static_cast<int32_t>(track->priority));
  file->put(static_cast<int32_t>(keyframes.size()));
  for (const TrackKeyFrame* keyframe : keyframes) {
    file->put(static_cast<uint32_t>(keyframe->row));
    file->put(static_cast<int32_t>(keyframe->type));
    if (!keyframe->isStart()) continue;
    // A lone 0 byte stands for the screen. Names kept without a framebuffer (tools) are written too.
    const auto* start = static_cast<const TrackStartStopKeyFrame*>(keyframe);
    bool named = start->renderTarget || start->renderTargetName != "screen";
    putName(*file, named ? start->renderTargetName : "");
  }
}

void TrackSystemIO::saveInterpolateTrack(File* file, TrackInterpolate* track) {
  std::vector<TrackKeyFrame*> keyframes;
  track->fetchKeyFrameVector(keyframes);
  file->put(static_cast<int32_t>(keyframes.size()));
  for (const TrackKeyFrame* keyframe : keyframes) {
    const auto* key = static_cast<const TrackKeyFrameInterpolate*>(keyframe);
    file->put(static_cast<uint32_t>(key->row));
    file->put(static_cast<int32_t>(key->interpolation));
    file->put(key->value);
  }
}
