// Every picture the production loads from its graphics directory, and writing them all as PNG
// files with lettering from one font.
// Depends on: the GeneratedTexture kinds, GlyphRasteriser, PngWriter.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "resources/generators/textures/GeneratedTexture.h"

class TextureSet {
 public:
  TextureSet();

  const std::vector<std::unique_ptr<GeneratedTexture>>& textures() const { return pictures; }
  // The picture written under that file name, or null.
  const GeneratedTexture* find(const std::string& fileName) const;
  // Draws every picture and writes it into dir (which must exist); false with the reason when the
  // font cannot be read or a file cannot be written.
  bool writeAll(const std::string& dir, const std::string& fontPath, std::string& error) const;

 private:
  void addWorldPictures();

  std::vector<std::unique_ptr<GeneratedTexture>> pictures;
};
