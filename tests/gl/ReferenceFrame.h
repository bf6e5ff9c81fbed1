// Test helper: an effect's picture in a render target checked against a committed reference,
// tests/golden/effects/NAME.png, with GoldenImage's tolerances. The frame is written to
// golden/effects/NAME.png under the test's working directory (build/tests/), with the diff
// picture beside it when they differ; a missing reference fails and says where the frame is, so
// it can be looked at and copied. The check never writes references.
// Depends on: GoldenImage, GLTestFixture (writePNG), FrameBufferObject, OpenGL.
#pragma once

#include <string>

class FrameBufferObject;

// Empty when the target's colour picture matches the reference NAME; otherwise why not.
std::string compareWithReference(FrameBufferObject& target, const std::string& name);
