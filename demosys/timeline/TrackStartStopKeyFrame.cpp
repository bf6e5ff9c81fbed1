#include "demosys/timeline/TrackStartStopKeyFrame.h"

TrackStartStopKeyFrame::TrackStartStopKeyFrame() : TrackStartStopKeyFrame(0, 0) {}

TrackStartStopKeyFrame::TrackStartStopKeyFrame(unsigned row, int type)
    : TrackKeyFrame(row, type), renderTargetName("screen"), renderTarget(nullptr) {}
