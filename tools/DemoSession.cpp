// DemoSession: loading a demo for a tool.
#include "tools/DemoSession.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <vector>

#include "demosys/render/Shader.h"
#include "demosys/resources/QNVIO.h"
#include "production/TarnveldEntry.h"
#include "tools/VirtualScreen.h"

DemoSession::DemoSession(const std::string& script, int width, int height)
    : DemoSession(script, ownMetrics) {
  ownMetrics.setResolution(width, height);
  ownMetrics.setFullscreen(false);
  ownMetrics.setFullscreenOverride(true);
  closesWindow = true;
}

DemoSession::DemoSession(const std::string& script, ScreenMetrics& shared)
    : metrics(&shared), closesWindow(false), scriptName(script) {
  // A tool's run is for finding problems: each missing uniform once, not once a frame.
  Shader::reportMissingUniformsOnce(true);
  char program[] = "demosys";
  std::vector<char> name(scriptName.begin(), scriptName.end());
  name.push_back('\0');
  char* argv[] = {program, name.data(), nullptr};
  demoObject = createTarnveldDemo(2, argv);
}

DemoSession::~DemoSession() {
  demoObject->disposeContent();
  if (closesWindow) Demo::closeWindow();
}

bool DemoSession::load(bool archive, const std::string& tool) {
  std::string problem;
  if (!VirtualScreen::ensure(problem)) {
    std::cerr << "demosys " << tool << ": " << problem << std::endl;
    return false;
  }
  demoObject->load(metrics, archive ? QNVIO::QNV_RESOURCES_7Z : QNVIO::QNV_RESOURCES_FLAT);
  if (demoObject->isValid()) return true;
  std::cout << "demosys " << tool << ": the demo failed to load" << std::endl
            << demoObject->getLoaderMessage() << std::endl;
  return false;
}

bool DemoSource::take(const std::vector<std::string>& args, std::size_t& i) {
  if (args[i] == "--archive") {
    archive = true;
  } else if ((args[i] == "--root" || args[i] == "--script") && i + 1 < args.size()) {
    (args[i] == "--root" ? root : script) = args[i + 1];
    ++i;
  } else {
    return false;
  }
  return true;
}

bool DemoSource::enter(const std::string& tool) const {
  std::error_code error;
  std::filesystem::current_path(root, error);
  if (error) std::fprintf(stderr, "demosys %s: cannot enter directory '%s'\n", tool.c_str(), root.c_str());
  return !error;
}
