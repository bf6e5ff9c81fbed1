// Full-screen passes see the picture in texture coordinates, stretched to a square; the
// production always shows it at 16:9 (the letterbox view keeps that shape on any window).
// Shapes meant to look round or square on screen correct for it.
const float SCREEN_ASPECT = 16.0 / 9.0;
