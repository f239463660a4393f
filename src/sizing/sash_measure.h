#pragma once

#include <vector>

#include "sizing/size_grid.h"

class TokfFlugel;
class TokfLine;

// Bounding box of a sash outline in tenths of a millimetre, arcs included: the smallest corner
// coordinates brought down with FloorTol and the largest brought up with CeilTol, as the sash's
// rebate size is measured. All zero for a sash without corners.
TSizeBox SashUnitBox(const TokfFlugel& flugel);
// The same box in whole millimetres (truncated), and the sides with their ends in millimetres.
TSizeBox SashSizeBox(const TokfFlugel& flugel);
std::vector<TSizeSide> SashSizeSides(const TokfFlugel& flugel);

// The unit normal on the outer side of a side of a clockwise outline: left of start -> end on the
// screen.
TRealPoint OuterNormal(const TRealPoint& start, const TRealPoint& end);
// Middle of a side in model units: of the chord for a straight side, of the arc for an arc side.
TRealPoint SideMiddle(const TokfLine& side);
