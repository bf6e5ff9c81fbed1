// The moved texture as it is.
#include texture.frag
