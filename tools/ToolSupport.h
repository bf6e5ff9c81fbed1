// Small pieces several tool subcommands share: reading times and picture sizes from the command
// line, and writing a captured picture as a PNG file.
// Depends on: Time, StringUtils, DevIL (ilInit must have run before savePNG).
#pragma once

#include <string>
#include <vector>

// m:ss:mmm or plain milliseconds.
bool parseTime(const std::string& text, unsigned& ms);
// WxH, each side 1 to 8192.
bool parseSize(const std::string& text, int& width, int& height);
// rgb holds width x height pixels, rows bottom-up as glReadPixels returns them.
bool savePNG(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
