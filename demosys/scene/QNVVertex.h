// A mesh vertex's record of the polygons that use it, from which vertex normals are summed.
// Depends on: nothing.
#pragma once

#include <cstddef>
#include <vector>

class QNVVertex {
 public:
  void addPolygonIndex(int value) { polygons.push_back(value); }
  int getPolyListSize() const { return static_cast<int>(polygons.size()); }
  int getPolyIndex(int value) const { return polygons[static_cast<std::size_t>(value)]; }

 private:
  std::vector<int> polygons;
};
