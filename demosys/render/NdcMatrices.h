// Full-screen drawing in normalised device coordinates: both fixed-function
// matrices are saved and set to identity, and restored afterwards. Shared by
// every full-screen quad (textures, render targets, the loading bar).
// Depends on: OpenGL (in the source only, so callers choose their GL header).
#pragma once

namespace NdcMatrices {

// Pushes projection and model-view and loads identity into both; leaves model-view current.
void push();
// Pops projection, then model-view; leaves model-view current.
void pop();

}  // namespace NdcMatrices
