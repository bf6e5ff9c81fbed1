// Distance fog towards the night sky's colour; near and far in world units along the view.
const vec3 FOG_COLOR = vec3(0.05, 0.06, 0.1);
const float FOG_NEAR = 60.0;
const float FOG_FAR = 420.0;

float fogAmount(vec4 eyePosition) {
  return clamp((length(eyePosition.xyz) - FOG_NEAR) / (FOG_FAR - FOG_NEAR), 0.0, 0.85);
}
