// Flat colour: only the position is needed.
void main() {
  gl_Position = ftransform();
}
