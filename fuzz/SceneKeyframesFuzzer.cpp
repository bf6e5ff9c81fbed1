// Fuzzes the ".kf" keyframe reader on arbitrary bytes: it refuses with an "Object '" message or
// returns animations with one time, translation and rotation per key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "demosys/scene/SceneFileReader.h"
#include "qnvutils/File.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  File file("fuzz.kf");
  file.put(data, size);
  file.exists(true);
  SceneFileReader reader(file, "fuzz.kf");
  int count = 0;
  if (!reader.readKeyframeHeader(count)) {
    require(reader.getErrorMessage().rfind("Object 'fuzz.kf': ", 0) == 0);
    return 0;
  }
  for (int i = 0; i < count; ++i) {
    SceneAnimation animation;
    if (!reader.readAnimation(animation)) {
      require(reader.getErrorMessage().rfind("Object 'fuzz.kf': ", 0) == 0);
      return 0;
    }
    require(animation.translations.size() == animation.times.size());
    require(animation.rotations.size() == animation.times.size());
    for (float time : animation.times) require(SceneFileReader::keyTimeMs(time) % 1000 == 0);
  }
  return 0;
}
