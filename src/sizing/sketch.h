#pragma once

#include <QRect>

#include "sizing/size_grid.h"

class QPainter;
class TokfConstruction;
class TokfFlugel;

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
