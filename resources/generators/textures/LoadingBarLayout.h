// Where the loading display's seven bar segments lie in the 960 x 540 shown picture. The loading
// display draws the overlay picture again, shifted 0.258 screen units (124 of the 960 pixels)
// further right for every seventh of loading, so the overlay holds the first segment and the
// background frames all seven.
// Depends on: OverlayFrame.
#pragma once

struct LoadingBarLayout {
  static constexpr int segments = 7;
  static constexpr float shiftPixels = 0.258f / 2.0f * 960.0f;
  static constexpr int firstLeft = 48;
  static constexpr int segmentWidth = 112;
  static constexpr int top = 440;
  static constexpr int bottom = 468;

  static int segmentLeft(int index) {
    return firstLeft + static_cast<int>(static_cast<float>(index) * shiftPixels + 0.5f);
  }
};
