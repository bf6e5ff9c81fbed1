#include include/passthrough.glsl
