// Worn video tape: the picture jitters sideways line by line (now and then in a strong burst),
// dark stripes roll down through it, and grain flickers over it every frame.
// The noise frames advance one unit per second; the speeds scale them.
#include include/noise.glsl
#include include/color.glsl

uniform sampler2D Texture0;
uniform sampler2D Texture1;
uniform sampler2D Texture2;
uniform float Brightness;
// 0.5 leaves the contrast as is; 1.0 doubles it.
uniform float Contrast;
uniform float NoiseFrame;
uniform float NoiseSpeed;
// Higher ramps keep only the brightest grain specks.
uniform float NoiseRamp;
uniform float hNoiseFrame;
uniform float hNoiseSpeed;

// Lines per screen height over which the sideways jitter changes.
const float JITTER_LINES = 90.0;

float lineShift(float v, float t) {
  float wobble = valueNoise(vec2(v * JITTER_LINES, t * 8.0)) - 0.5;
  float burst = pow(valueNoise(vec2(v * 6.0, t * 2.0)), 6.0);
  return wobble * 0.006 + burst * 0.04;
}

void main() {
  vec2 uv = gl_TexCoord[0].st;
  float t = NoiseFrame * NoiseSpeed;
  float ht = hNoiseFrame * hNoiseSpeed;

  vec2 shifted = vec2(uv.x + lineShift(uv.y, ht), uv.y);
  vec3 image = texture2D(Texture0, clamp(shifted, 0.0, 1.0)).rgb;

  float stripes = texture2D(Texture1, vec2(uv.x, fract(uv.y + t * 0.1))).r;
  image *= 0.75 + 0.25 * stripes;

  // A new grain pattern every frame: jump to an unrelated part of the noise texture.
  vec2 grainOffset = vec2(hash12(vec2(floor(t * 30.0), 1.0)), hash12(vec2(floor(t * 30.0), 2.0)));
  float grain = texture2D(Texture2, fract(uv * vec2(3.0, 2.0) + grainOffset)).r;
  image += vec3(pow(grain, max(NoiseRamp, 1.0)));

  gl_FragColor = vec4(adjustContrast(image, 2.0 * Contrast, Brightness), 1.0);
}
