// Everything `demosys check` holds a parsed demo script against, without a display: every file
// the script names exists (directory tree or archive, whichever QNVIO reads), images and the song
// decode, shader pairs preprocess as the loader does and compile as strict GLSL 1.10, each effect
// instance finds the resources its init() looks up, and the timeline (the track pack) agrees with
// the script. Problems are kept as lines naming the file (and line where there is one) and are
// printed errors first.
// Depends on: Parameters, QNVIO / File / Image, TextureLoader (entry syntax), ShaderLoader,
// GlslValidator, SoundDecoder, TrackSystemIO, EffectCatalog.
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tools/EffectCatalog.h"

class Parameters;
class ParameterGroup;
class TrackGroup;
class TrackSystem;

class DemoLint {
 public:
  DemoLint(const std::string& scriptFile, const Parameters& system, const Parameters& effects);

  void run();
  // "FILE[:LINE]: error|warning: TEXT", one per problem, errors first.
  void print(std::ostream& out) const;
  int errorCount() const;

 private:
  struct Problem {
    bool error;
    std::string file;
    int line;
    std::string text;
  };
  void error(const std::string& file, int line, const std::string& text);
  void warning(const std::string& file, int line, const std::string& text);

  // DemoLint_resources.cpp
  void checkGraphics();
  void checkNamedFiles(const std::string& block, const std::string& directoryKey, const std::string& what);
  void checkSong();
  void checkEffectLookups();
  bool loads(const std::string& path, std::vector<unsigned char>& bytes) const;
  // DemoLint_shaders.cpp
  void checkShaders();
  void checkShaderPair(const std::string& key, const std::string& value, const std::string& path);
  // DemoLint_timeline.cpp
  void checkTimeline();
  void checkTimelineGroup(const std::string& pack, const std::string& name, const TrackGroup& group);
  bool knowsTarget(const std::string& target) const;
  std::set<std::string> effectsDrawnByStartedInstances(const TrackSystem& tracks) const;

  std::string value(const std::string& group, const std::string& key) const;
  bool declares(const std::string& group, const std::string& key) const;
  // Line of the script's block (system block name or effect instance), and of an entry in it;
  // 0 when not found.
  int blockLine(const std::string& block) const;
  int entryLine(const std::string& block, const std::string& key) const;
  // What the instance's class looks up, learnt once per instance (each learning runs its init()).
  const EffectNeeds& needsOf(const std::string& instance) const;

  std::string scriptFile;
  std::vector<std::string> scriptLines;
  const Parameters& system;
  const Parameters& effects;
  std::vector<Problem> problems;
  mutable std::map<std::string, EffectNeeds> learntNeeds;
};
