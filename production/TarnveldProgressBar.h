// Tarnveld's loading display: a loading picture over the whole screen and, blended over it, an
// overlay picture that advances to the right in seven steps as the loading ticks pass sevenths of
// the total. Both pictures are the display's own files, listed for the packing script.
// A picture that is missing is simply not drawn (the screen stays black where it would be).
// Depends on: ProgressBar, Texture, QNVIO, OpenGL (fixed function), SDL 1.2 (buffer swap).
#pragma once

#include "demosys/core/ProgressBar.h"

class Texture;

class TarnveldProgressBar : public ProgressBar {
 public:
  static constexpr int STEPS = 7;

  TarnveldProgressBar() = default;
  explicit TarnveldProgressBar(int ticks);
  ~TarnveldProgressBar() override;
  TarnveldProgressBar(const TarnveldProgressBar&) = delete;
  TarnveldProgressBar& operator=(const TarnveldProgressBar&) = delete;

  void draw() override;
  void loadData() override;

  // How many overlay copies the display shows now: one more for every seventh of the total passed.
  int overlayCopies() const;
  const Texture* getBackground() const { return backgroundTexture; }
  const Texture* getOverlay() const { return overlayTexture; }

 private:
  static void screenHighQuad(float left, float right);

  Texture* backgroundTexture = nullptr;
  Texture* overlayTexture = nullptr;
};
