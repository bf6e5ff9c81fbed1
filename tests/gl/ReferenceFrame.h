// Test helper: a render target's picture against tests/golden/effects/NAME.png (GoldenImage's
// tolerances). The frame goes to golden/effects/ under the working directory (build/tests/), with
// a diff picture on a mismatch; a missing reference fails naming the frame to look at and copy.
// Depends on: GoldenImage, GLTestFixture (writePNG), FrameBufferObject, OpenGL.
#pragma once

#include <string>

class FrameBufferObject;

// Empty when the target's colour picture matches the reference NAME; otherwise why not.
std::string compareWithReference(FrameBufferObject& target, const std::string& name);
