// ResourceLoader: effect instances from their templates, the timeline from the track pack, and the
// clock (music-driven when the script plays a song).
#include <iostream>
#include <vector>

#include "demosys/core/ProgressBar.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/ResourceLoader.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/timeline/FMODTimer.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystem.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "qnvutils/QNVUtils.h"

bool ResourceLoader::createEffectObjects() {
  std::cout << "[Create effect objects]" << std::endl;
  Parameters* effects = QNVDemosys::effects;
  for (int i = 0; effects != nullptr && i < effects->size(); ++i) {
    ParameterGroup* group = effects->getValue(i);
    std::string className = group->getParameter("class");
    std::cout << "Creating instance of " << className << std::endl;
    Effect* prototype = QNVDemosys::effectTemplatePool->getEffect(className);
    if (prototype == nullptr) return fail("No effect class registered under '" + className + "'\n");
    Effect* instance = prototype->getInstance();
    instance->setParameters(group);
    instance->registerTracks();
    QNVDemosys::effectPool->addEffect(effects->getKey(i), instance);
  }
  tickProgress();
  return true;
}

int ResourceLoader::trackRowRate() const {
  std::string rate = systemValue("system", "rowrate");
  return rate.empty() ? 20 : QNVUtils::string2Int(rate);
}

void ResourceLoader::effectInstances(std::vector<std::string>& names, std::vector<Effect*>& instances) {
  DataEffectPool* pool = QNVDemosys::effectPool;
  for (int i = 0; i < pool->size(); ++i) {
    names.push_back(pool->getKey(i));
    instances.push_back(pool->getEffect(names.back()));
  }
}

bool ResourceLoader::createTrackData() {
  std::cout << "[Create track data]" << std::endl;
  std::string location = systemValue("paths", "tracks");
  if (!location.empty()) {
    std::vector<std::string> names;
    std::vector<Effect*> instances;
    effectInstances(names, instances);
    std::cout << "Loading track data from index file" << std::endl;
    TrackSystemIO io(location);
    QNVDemosys::tracks = io.loadPack(names, instances);
    // A damaged pack is refused as a whole; running without the timeline would show nothing.
    if (QNVDemosys::tracks == nullptr) return fail(io.getErrorMessage());
  } else {
    std::cout << "No track data location specified. Making dummy system." << std::endl;
    QNVDemosys::tracks = new TrackSystem();
  }
  // Rows are counted with 1000 / rowRate; a rate outside 1 to 1000 would divide by zero.
  int rowRate = trackRowRate();
  if (!QNVDemosys::tracks->setRowRate(rowRate)) return fail(TrackSystem::rowRateError(rowRate));
  std::cout << "[Initializing Effect Instances]" << std::endl;
  for (int i = 0; QNVDemosys::effects != nullptr && i < QNVDemosys::effects->size(); ++i) {
    std::string name = QNVDemosys::effects->getKey(i);
    std::cout << "-> Initializing " << name << std::endl;
    QNVDemosys::effectPool->getEffect(name)->init();
  }
  if (QNVDemosys::tracks->validateStartStopTracks() && QNVDemosys::tracks->validateInterpolateTracks()) {
    return true;
  }
  return fail("Failed to validate track data!\n");
}

bool ResourceLoader::loadSound() {
  std::cout << "[Setting up sound]" << std::endl;
  std::string path = systemValue("paths", "sound") + systemValue("sound", "file");
  auto rowRate = static_cast<unsigned>(QNVDemosys::tracks->getRowRate());
  if (systemValue("sound", "play") != "1") {
    QNVDemosys::timer = new Timer(rowRate);
    QNVDemosys::timer->init();
  } else {
    std::cout << "Play : " << path << std::endl;
    QNVDemosys::timer = new FMODTimer(path, rowRate);
    if (!QNVDemosys::timer->init()) return fail("Failed to load sound!\nFile : '" + path + "'");
  }
  tickProgress();
  return true;
}
