// The chosen screen mode (resolution, fullscreen, antialiasing, vertical sync), the clip planes
// and the field of view, turned into the OpenGL viewport and perspective projection. The viewport
// is always a 16:9 band across the window's full width, centred vertically (letterbox).
// Depends on: OpenGL (setView only).
#pragma once

class ScreenMetrics {
 public:
  ScreenMetrics();

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  void setResolution(int w, int h) {
    width = w;
    height = h;
  }
  float getNear() const { return nearPlane; }
  void setNear(float value) { nearPlane = value; }
  float getFar() const { return farPlane; }
  void setFar(float value) { farPlane = value; }
  void setFullscreen(bool flag) { fullscreen = flag; }
  bool isFullscreen() const { return fullscreen; }
  void setFullscreenOverride(bool flag) { fullscreenOverride = flag; }
  bool getFullScreenOverride() const { return fullscreenOverride; }
  void setFSAASamples(int samples) { fsaaSamples = samples; }
  int getFSAASamples() const { return fsaaSamples; }
  void setVSync(bool flag) { vsync = flag; }
  bool getVSync() const { return vsync; }
  void setVSyncOverride(bool flag) { vsyncOverride = flag; }
  bool getVSyncOverride() const { return vsyncOverride; }

  // Letterbox viewport, aspect and field of view from the current resolution.
  void initView();
  // A window resize: new size, then as initView.
  void resize(int w, int h);
  // Viewport and perspective projection to OpenGL; leaves the modelview matrix current.
  void setView();
  // The projection setView would load, without any OpenGL call.
  void updateMatrix();

  int height = 0;
  int width = 0;
  float fov = 50.0f;
  float projection[16];
  int viewportX = 0;
  int viewportWidth = 0;
  int viewportY = 0;
  int viewportHeight = 0;
  float aspect = 1.0f;
  bool fullscreen = true;
  bool fullscreenOverride = false;
  int fsaaSamples = 0;
  bool vsync = true;
  bool vsyncOverride = false;
  float nearPlane = 1.0f;
  float farPlane = 800.0f;
};
