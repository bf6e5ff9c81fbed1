// Turns the demo script into a running configuration: parses it, publishes its parameter
// collections, opens the screen, fills the data pools in a fixed order, creates one effect object
// per script instance, builds the timeline and the clock, and at run start positions the timeline.
// Every step announces itself on standard output; the first failure makes the loader invalid with
// one error text that the demo prints at shut-down. Shader work is delegated to a ShaderLoader that
// shares the loader's error text and flags.
// Depends on: DemoScriptParser, Parameters, Data and the pools, QNVIO, ShaderLoader, TextureLoader,
// FrameBufferObject, GLExtensions, ProgressBar, QNVSceneLoader, AnimationParser, TrackSystemIO,
// Timer/FMODTimer, QNVDemosys, ScreenMetrics.
#pragma once

#include <string>
#include <vector>

#include "demosys/render/ShaderLoader.h"

class DemoScriptParser;
class Effect;
class ParameterGroup;
class ScreenMetrics;

class ResourceLoader {
 public:
  explicit ResourceLoader(const std::string& scriptPath);
  ~ResourceLoader();
  ResourceLoader(const ResourceLoader&) = delete;
  ResourceLoader& operator=(const ResourceLoader&) = delete;

  bool isValid() const { return valid; }
  std::string getErrorMessage() const { return errorMessage; }
  void setVerbose(bool flag) { verbose = flag; }

  bool createDataPools();
  bool parseConfig();
  bool initScreen(ScreenMetrics* metrics, const std::string& title);
  bool loadDataFiles();
  bool createEffectObjects();
  bool createTrackData();
  bool loadSound();
  bool initDemo();
  void resetAllEffects();
  void print();
  bool dispose();
  // Writes a shell script that packs everything the loaded demo reads into "resources.7z".
  void createCopyScript(const std::string& archiver, const std::string& scriptFile);
  // The packing script's text, as createCopyScript writes it.
  std::string copyScriptText(const std::string& archiver) const;

  ShaderLoader& getShaderLoader() { return shaderLoader; }
  // The effect pool's instances and their names in pool order: the lists a track pack is read for.
  static void effectInstances(std::vector<std::string>& names, std::vector<Effect*>& instances);

 private:
  bool fail(const std::string& message);
  bool failedParse();
  // The system block of that name, or null.
  static ParameterGroup* systemGroup(const std::string& name);
  // A key of a system block; "" when the block or the key is absent.
  static std::string systemValue(const std::string& group, const std::string& key);
  static void tickProgress();
  void readScreenGroup(ScreenMetrics& metrics);
  bool openDisplay(ScreenMetrics* metrics, const std::string& title);

  bool createFramebuffers();
  bool createFramebuffer(const std::string& key, const std::string& value);
  bool framebufferSize(const std::string& key, const std::string& item, bool isWidth, int& size);
  bool loadScenes();
  bool loadImages();
  bool loadImage(const std::string& key, const std::string& value, const std::string& directory);
  // Every scene's materials get their textures from the pool (after the images).
  void mapSceneTextures();
  void initShaderCache();
  bool loadBinaries();
  bool loadAnimations();
  int trackRowRate() const;

  DemoScriptParser* parser = nullptr;
  std::string scriptPath;
  std::string errorMessage = "ResourceLoader : unknown";
  bool valid = true;
  bool verbose = false;
  ShaderLoader shaderLoader;
};
