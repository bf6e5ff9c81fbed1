// EffectCatalog: an effect's tracks and lookups from a dry init().
#include "tools/EffectCatalog.h"

#include <memory>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "production/TarnveldEffectList.h"
#include "tools/QuietConsole.h"

namespace {

// Pools and console restored however init() returns.
class DryRun {
 public:
  explicit DryRun(std::vector<EffectResources::Lookup>& sink) : pools(QNVDemosys::data) {
    QNVDemosys::data = nullptr;
    EffectResources::recordInto(&sink);
  }
  ~DryRun() {
    EffectResources::recordInto(nullptr);
    QNVDemosys::data = pools;
  }
  DryRun(const DryRun&) = delete;
  DryRun& operator=(const DryRun&) = delete;

 private:
  Data* pools;
  QuietConsole quiet;
};

}  // namespace

bool learnEffectNeeds(const std::string& className, ParameterGroup& parameters, EffectNeeds& needs) {
  std::unique_ptr<Effect> prototype(TarnveldEffectList::newTemplate(className));
  if (!prototype) return false;
  std::unique_ptr<Effect> instance(prototype->getInstance());
  instance->setParameters(&parameters);
  instance->registerTracks();
  for (int i = 0; i < instance->getTrackCount(); ++i) needs.tracks.push_back(instance->getTrackName(i));
  std::vector<EffectResources::Lookup> lookups;
  {
    DryRun dry(lookups);
    instance->init();
  }
  for (const EffectResources::Lookup& lookup : lookups) {
    if (lookup.kind != "track") needs.lookups.push_back(lookup);
  }
  return true;
}
