// One picture of a scene file through the engine's own scene drawing, for content authors and the
// tests: the scene is loaded as the demo loads it, every object gets one simple lit shader
// instance (or, for the box view, none, so each mesh shows the engine's red box), and it is drawn
// by the hierarchical or the instanced path at a chosen time, seen through a named scene camera or
// through a camera that frames the posed scene. Needs a display (or a virtual screen).
// Depends on: QNVSceneLoader, QNVScene, QNVCamera, Shader, ShaderInstance, ScreenMetrics,
// QNVDemosys (window), ToolSupport (PNG), SDL, GLEW, GLU.
#pragma once

#include <memory>
#include <string>

#include "demosys/core/ScreenMetrics.h"
#include "demosys/math/Vector.h"

class QNVScene;
class Shader;
class ShaderInstance;

struct ScenePreviewOptions {
  enum Style { SOLID, WIREFRAME, BOXES };
  std::string file;
  std::string out;
  std::string camera;  // empty: frame the posed scene
  unsigned atMs = 0;
  int width = 640;
  int height = 360;
  Style style = SOLID;
  bool instanced = false;
};

class ScenePreview {
 public:
  explicit ScenePreview(const ScenePreviewOptions& options);
  ~ScenePreview();
  ScenePreview(const ScenePreview&) = delete;
  ScenePreview& operator=(const ScenePreview&) = delete;

  // Renders and writes the PNG; false with one line on standard error when anything fails.
  bool render();

 private:
  bool openScreen();
  bool loadScene();
  bool prepareShader();
  bool setCamera();
  void frameScene();
  void posedBox(Vector3f& lo, Vector3f& hi) const;
  void drawScene();
  void drawInstancedBoxes() const;
  bool capture();
  bool fail(const std::string& problem) const;

  ScenePreviewOptions options;
  float seconds;
  ScreenMetrics metrics;
  bool screenOpen = false;
  std::unique_ptr<QNVScene> scene;
  std::unique_ptr<Shader> shader;
  std::unique_ptr<ShaderInstance> instance;
};
