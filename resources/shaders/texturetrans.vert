// A self-lit texture moving across its surface: "translate" is added to the texture
// coordinates (scrolling LED text, turning tracks).
uniform vec2 translate;

void main() {
  gl_TexCoord[0] = vec4(gl_MultiTexCoord0.st + translate, 0.0, 1.0);
  gl_Position = ftransform();
}
