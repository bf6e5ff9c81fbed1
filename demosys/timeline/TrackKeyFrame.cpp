#include "demosys/timeline/TrackKeyFrame.h"

TrackKeyFrame::TrackKeyFrame(unsigned row, int type) : row(row), type(type) {}
