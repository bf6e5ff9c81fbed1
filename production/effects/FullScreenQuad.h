// The quad every post-processing pass draws over its whole target: corners (-1,1), (1,1), (1,-1),
// (-1,-1) in that order, so one texel of a same-sized render target lands on one pixel.
// Depends on: NdcMatrices, OpenGL (in the source only).
#pragma once

namespace FullScreenQuad {

// The whole texture, upright (texture coordinates (0,1), (1,1), (1,0), (0,0)), drawn with identity
// projection and model-view, both restored afterwards. The matrices are set here rather than
// trusted: releasing the last render target loads the window's perspective projection again.
void draw();
// The same corners in the current matrices, showing the top-left part of the texture: s from 0 to
// sMax, t from tMin (bottom edge) to 1 (top edge).
void vertices(float sMax, float tMin);

}  // namespace FullScreenQuad
