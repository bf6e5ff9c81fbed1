// A textured quad with a cool, slightly desaturated grade that lets it sit in the dark scenes,
// then tinted and faded by color.
#include include/color.glsl

uniform sampler2D texture;
uniform vec4 color;

const vec3 GRADE = vec3(0.92, 0.98, 1.08);

void main() {
  vec4 c = texture2D(texture, gl_TexCoord[0].st);
  vec3 graded = mix(vec3(luminance(c.rgb)), c.rgb, 0.8) * GRADE;
  gl_FragColor = vec4(clamp(graded, 0.0, 1.0), c.a) * color;
}
