// An off-screen render target: one RGBA colour texture and an optional 24-bit depth renderbuffer
// behind an EXT_framebuffer_object framebuffer. Binding is strictly nested through the
// process-wide fboStack; releasing the last target returns to the window and its letterbox view.
// The header stays free of GL headers (GL names are plain unsigned ints) so that GL-free code such
// as the timeline can hold and drive render targets; bind/release/clear and the clear flag are
// virtual so that such code can be tested with a stand-in target.
// Depends on: Texture, ScreenMetrics and QNVDemosys (window view on the last release), GLEW.
#pragma once

#include <deque>
#include <string>

class Texture;

class FrameBufferObject {
 public:
  FrameBufferObject(int width, int height, bool depth, bool stencil);
  virtual ~FrameBufferObject();
  FrameBufferObject(const FrameBufferObject&) = delete;
  FrameBufferObject& operator=(const FrameBufferObject&) = delete;

  // Pushes this target on fboStack and makes it current with its own viewport. An invalid
  // (incomplete) target is never pushed.
  virtual void bind();
  // Pops this target (it must be the top) and makes the new top, or the window, current.
  virtual void release();
  // Clears colour (and depth, when present) with the current clear colour; resets the clear flag.
  virtual void clear();
  void clearColorBuffer();
  void clearRenderBuffer();

  virtual void setClearFlag(bool flag);
  virtual bool hasClearFlag() const;

  // Checks completeness of the bound framebuffer; sets the status message and validity.
  bool fboStatus();
  bool isValid() const { return valid; }
  const std::string& getStatusMessage() const { return statusMessage; }
  int getWidth() const { return width; }
  int getHeight() const { return height; }
  unsigned int getId() const { return framebuffer; }
  Texture* getColorBuffer() const { return colorBuffer; }
  void setDebug(bool flag) { debug = flag; }

  // Binds the colour texture to the active unit, for sampling.
  void bindColorBuffer();
  // The colour texture on a quad from -size to size in normalised device coordinates.
  void draw(float size);
  void draw();

  std::string toString() const;

  // Targets currently bound, innermost at the back.
  static std::deque<FrameBufferObject*> fboStack;
  // More nested binds than this are reported (the bind still happens).
  static constexpr std::size_t maxStackDepth = 16;

 protected:
  // A target without any GL object that counts as complete: for stand-ins that only record what
  // is called, so the timeline and the pool treat them as they treat a working target.
  FrameBufferObject();

 private:
  Texture* colorBuffer = nullptr;
  unsigned int depthRenderBuffer = 0;
  unsigned int framebuffer = 0;
  bool depth = false;
  bool stencil = false;
  bool debug = false;
  bool clearFlag = false;
  int width = 0;
  int height = 0;
  std::string statusMessage;
  bool valid = false;
};
