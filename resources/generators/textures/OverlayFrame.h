// Where the full-screen pictures keep their content: a 960 x 540 picture in the top-left corner of
// a 1024 x 1024 texture, the part the overlay and loading quads show (s from 0 to 0.9375, t from
// 0.4727 to 1). Everything else stays transparent.
// Depends on: nothing.
#pragma once

struct OverlayFrame {
  static constexpr int textureSize = 1024;
  static constexpr int shownWidth = 960;
  static constexpr int shownHeight = 540;
  static constexpr float shownS = 0.9375f;  // right edge of the shown part
  static constexpr float shownT = 0.4727f;  // bottom edge of the shown part
};
