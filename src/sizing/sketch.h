#pragma once

#include <QRect>
#include <vector>

#include "sizing/size_grid.h"

class QPainter;
class TokfConstruction;
class TokfFlugel;
class TokfLine;

// Bounding box of a sash outline in tenths of a millimetre, arcs included: the smallest corner
// coordinates brought down with FloorTol and the largest brought up with CeilTol, as the sash's
// rebate size is measured. All zero for a sash without corners.
TSizeBox SashUnitBox(const TokfFlugel& flugel);
// The same box in whole millimetres (truncated), and the sides with their ends in millimetres.
TSizeBox SashSizeBox(const TokfFlugel& flugel);
std::vector<TSizeSide> SashSizeSides(const TokfFlugel& flugel);

// Middle of a side in model units: of the chord for a straight side, of the arc for an arc side.
TRealPoint SideMiddle(const TokfLine& side);

// Draws a sash's sides and, when it has a complect, the opening and handle symbols. scale is model
// units (tenths of a millimetre) per canvas unit; the model origin is at the canvas origin. The
// outline is drawn with the painter's pen, the symbols with a thin pen.
void DrawFlugel(QPainter& painter, const TokfFlugel& flugel, double scale);

// The sketch of a position inside rect: the used sashes (pen width 3) scaled to fit and centred
// in the room the dimension grid leaves, the grid below and to the right. zoom (when not 0)
// multiplies the scale. Nothing is drawn for a position without size or a rect too small to hold
// the grid. The painter's state is restored.
void DrawConstruction(QPainter& painter, const TokfConstruction& construction, const QRect& rect,
                      double zoom, const TSizeOptions& options);
// The same for one sash alone with its own chains (the fittings dialog).
void DrawFlugelSketch(QPainter& painter, const TokfFlugel& flugel, const QRect& rect, double zoom,
                      const TSizeOptions& options);
