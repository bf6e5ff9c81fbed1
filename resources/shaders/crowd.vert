// The tribunes' spectators: the fixed-function transform and the seat grid's texture coordinates.
void main() {
  gl_Position = ftransform();
  gl_TexCoord[0] = gl_MultiTexCoord0;
  gl_FrontColor = gl_Color;
}
