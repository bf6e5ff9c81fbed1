// DevPlayer: loading the demo, watching its files and the rebuilds under the living window.
#include <SDL/SDL.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/resources/ResourceLoader.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/timeline/Time.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "demosys/timeline/TrackText.h"
#include "qnvutils/QNVUtils.h"
#include "tools/DevPlayer.h"

namespace {

const char* const scriptDirectory = "resources/scripts/";
const char* const archiveName = "resources.7z";
// The watched files are looked at this often; a saved file shows within a second.
const unsigned pollMs = 250;

std::string systemValue(const std::string& group, const std::string& key) {
  ParameterGroup* found = QNVDemosys::parameters ? QNVDemosys::parameters->getGroup(group) : nullptr;
  return found != nullptr && found->exist(key) ? found->getParameter(key) : "";
}

double millisecondsSince(std::chrono::steady_clock::time_point begin) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
}

}  // namespace

int DevPlayer::resourceType() const {
  return options.source.archive ? QNVIO::QNV_RESOURCES_7Z : QNVIO::QNV_RESOURCES_FLAT;
}

// A demo that fails keeps its session (the error report comes at its disposal) and the player
// shows a black picture with the message until the next change loads.
bool DevPlayer::loadDemo() {
  session = std::make_unique<DemoSession>(options.source.script, metrics);
  session->demo().setEventHandler([this](const SDL_Event& event) { return handleEvent(event); });
  loaded = session->load(options.source.archive, "play");
  watchFiles();
  if (!loaded) return false;
  Demo& demo = session->demo();
  demo.init();
  demo.startRun();
  startTime = Time(systemValue("system", "start")).getTicks();
  std::string beat = systemValue("system", "beat");
  control.attach(QNVDemosys::timer, QNVDemosys::stopTime.getTicks(),
                 beat.empty() ? 4u : static_cast<unsigned>(QNVUtils::string2Int(beat)));
  return true;
}

// The script, every definition file, the track pack and the timeline text, or in the archive's
// case the archive as a whole.
void DevPlayer::watchFiles() {
  contentFiles.clear();
  packFiles.clear();
  timelineFile.clear();
  if (!options.timeline.empty()) timelineFile.watch(options.timeline);
  if (options.source.archive) {
    contentFiles.watch(archiveName);
    return;
  }
  contentFiles.watch(scriptDirectory + options.source.script);
  std::string definitions = systemValue("paths", "definition");
  std::error_code error;
  if (!definitions.empty()) {
    for (const auto& entry : std::filesystem::directory_iterator(definitions, error)) {
      if (entry.path().extension() == ".def") contentFiles.watch(entry.path().string());
    }
  }
  std::string tracks = systemValue("paths", "tracks");
  if (!tracks.empty()) {
    packFiles.watch(tracks + "index.list");
    packFiles.watch(tracks + "track.data");
  }
}

void DevPlayer::pollFiles() {
  unsigned now = Timer::ticks();
  if (now - lastPoll < pollMs) return;
  lastPoll = now;
  if (contentFiles.changed()) {
    recreateDemo();
    return;
  }
  if (!loaded) return;
  if (timelineFile.changed()) reloadTimelineText();
  if (packFiles.changed()) reloadTrackPack();
}

// The script is parsed on its own first, with the running demo's templates, so an error leaves
// the running demo untouched.
bool DevPlayer::scriptParses(std::string& error) const {
  QNVIO::init(resourceType());
  DemoScriptParser parser(scriptDirectory + options.source.script);
  parser.parseDefaults(true);
  parser.parse();
  QNVIO::destroy();
  error = parser.getErrorMessage();
  if (!parser.isValid()) return false;
  delete parser.getParameterGroup("system_parameters");
  delete parser.getParameterGroup("effect_parameters");
  return true;
}

void DevPlayer::recreateDemo() {
  std::string error;
  if (!scriptParses(error)) {
    say("script error, the demo plays on:\n" + error);
    return;
  }
  unsigned position = control.time();
  bool wasLoaded = loaded;
  control.detach();
  session.reset();
  if (!loadDemo()) {
    say("the demo failed to load:\n" + session->demo().getLoaderMessage());
    return;
  }
  if (wasLoaded) control.seekTo(position);
  sayPosition("demo re-created at");
}

// Compiled aside: a shader that fails keeps its old program and its log is shown.
void DevPlayer::reloadShaders() {
  if (!loaded) return;
  ResourceLoader* loader = session->demo().getLoader();
  QNVIO::init(resourceType());
  bool reloaded = loader->getShaderLoader().reloadShaders(*QNVDemosys::parameters, *QNVDemosys::shaderPool);
  QNVIO::destroy();
  say(reloaded ? "shaders reloaded"
               : "shader reload failed, the old program keeps drawing:\n" + loader->getErrorMessage());
}

void DevPlayer::reloadTimelineText() {
  auto begin = std::chrono::steady_clock::now();
  std::ifstream in(options.timeline, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  TrackText reader;
  std::unique_ptr<TrackSystem> fresh(in ? reader.read(text.str()) : nullptr);
  if (!fresh) {
    std::string problem = in ? reader.getErrorMessage() : "cannot read " + options.timeline;
    say("timeline error, the old timeline plays on:\n" + problem);
    return;
  }
  QNVDemosys::tracks->takeTracksFrom(*fresh, QNVDemosys::fboPool);
  say("timeline reloaded from " + options.timeline + " (" + std::to_string(millisecondsSince(begin)) +
      " ms)");
}

void DevPlayer::reloadTrackPack() {
  std::vector<std::string> names;
  std::vector<Effect*> instances;
  ResourceLoader::effectInstances(names, instances);
  TrackSystemIO io(systemValue("paths", "tracks"));
  std::unique_ptr<TrackSystem> fresh(io.readPack(names, instances));
  if (!fresh) {
    say("track pack error, the old timeline plays on:\n" + io.getErrorMessage());
    return;
  }
  QNVDemosys::tracks->takeTracksFrom(*fresh, QNVDemosys::fboPool);
  say("track pack reloaded");
}
