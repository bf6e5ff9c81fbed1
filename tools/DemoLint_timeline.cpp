// DemoLint: the track pack against the script. The pack loads as the demo loads it; then every
// effect it holds must be a script instance, every track one its class registers, every start
// target a declared framebuffer or the screen, intervals must alternate start and stop (the demo
// refuses the pack otherwise), and an instance that never starts is worth a warning unless a
// started instance draws it.
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackStartStopKeyFrame.h"
#include "demosys/timeline/TrackSystem.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "tools/DemoLint.h"
#include "tools/EffectCatalog.h"
#include "tools/QuietConsole.h"

namespace {

std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "none" : text;
}

bool hasStart(const TrackGroup* group) {
  if (group == nullptr || group->getStartStopTrack() == nullptr) return false;
  std::vector<TrackKeyFrame*> keyframes;
  group->getStartStopTrack()->fetchKeyFrameVector(keyframes);
  for (const TrackKeyFrame* keyframe : keyframes) {
    if (keyframe->isStart()) return true;
  }
  return false;
}

}  // namespace

bool DemoLint::knowsTarget(const std::string& target) const {
  return target.empty() || target == "screen" || declares("framebuffers", target);
}

void DemoLint::checkTimeline() {
  std::string location = value("paths", "tracks");
  if (location.empty()) {
    if (effects.size() > 0)
      warning(scriptFile, blockLine("paths"),
              "no timeline ('tracks' in the paths block): no effect ever draws");
    return;
  }
  TrackSystemIO io(location);
  io.setKeepTargetNames(true);
  std::unique_ptr<TrackSystem> tracks;
  {
    QuietConsole quiet;  // the reader announces every record
    tracks.reset(io.readAllRecords());
  }
  if (!tracks) {
    std::string message = io.getErrorMessage();
    for (char& c : message) c = c == '\n' ? ' ' : c;
    error(location + "index.list", 0, message);
    return;
  }
  std::string pack = location + "index.list";
  for (int i = 0; i < tracks->size(); ++i) {
    const TrackGroup* group = tracks->getTrackGroup(i);
    checkTimelineGroup(pack, group->getName(), *group);
  }
  const std::set<std::string> drawnInside = effectsDrawnByStartedInstances(*tracks);
  for (int i = 0; i < effects.size(); ++i) {
    std::string instance = effects.getKey(i);
    if (!hasStart(tracks->getTrackGroupByName(instance)) && drawnInside.count(instance) == 0)
      warning(scriptFile, blockLine(instance),
              "effect '" + instance + "' never starts: the timeline has no start for it");
  }
}

// Instances that a started instance takes from the effect pool and draws inside its own draw
// (the arena draws its sky, formation and tanks) need no start of their own.
std::set<std::string> DemoLint::effectsDrawnByStartedInstances(const TrackSystem& tracks) const {
  std::set<std::string> drawn;
  for (int i = 0; i < effects.size(); ++i) {
    const std::string instance = effects.getKey(i);
    if (!hasStart(tracks.getTrackGroupByName(instance))) continue;
    for (const EffectResources::Lookup& lookup : needsOf(instance).lookups) {
      if (lookup.kind == "effect") drawn.insert(lookup.name);
    }
  }
  return drawn;
}

void DemoLint::checkTimelineGroup(const std::string& pack, const std::string& name, const TrackGroup& group) {
  const ParameterGroup* instance = effects.getGroup(name);
  if (instance == nullptr) {
    error(pack, 0, "effect '" + name + "' of the timeline is not an effect instance of the demo script");
    return;
  }
  std::string className = instance->getParameter("class");
  const EffectNeeds& needs = needsOf(name);
  for (int t = 0; t < group.getInterpolateTrackCount(); ++t) {
    const std::string& track = group.getInterpolateTrack(t)->getName();
    if (std::find(needs.tracks.begin(), needs.tracks.end(), track) == needs.tracks.end())
      error(pack, 0,
            "effect '" + name + "': " + className + " has no track '" + track +
                "' (its tracks: " + listed(needs.tracks) + ")");
  }
  std::vector<TrackKeyFrame*> keyframes;
  group.getStartStopTrack()->fetchKeyFrameVector(keyframes);
  bool expectStart = true;
  for (const TrackKeyFrame* keyframe : keyframes) {
    std::string row = std::to_string(keyframe->row);
    if (keyframe->isStart() != expectStart) {
      error(pack, 0,
            "effect '" + name + "': " +
                (expectStart ? "stop at row " + row + " without a start"
                             : "start at row " + row + " before the previous interval stopped"));
      return;
    }
    expectStart = !expectStart;
    const auto* start = static_cast<const TrackStartStopKeyFrame*>(keyframe);
    if (keyframe->isStart() && !knowsTarget(start->renderTargetName))
      error(pack, 0,
            "effect '" + name + "': start at row " + row + " draws into '" + start->renderTargetName +
                "', which is not a framebuffer of the script (draws to the screen)");
  }
}
