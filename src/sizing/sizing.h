#pragma once

#include <QString>
#include <vector>

#include "sizing/size_point.h"

class QPainter;

// The label of one dimension: the caption when there is one, else the length in millimetres,
// whole when it has no fractional part and with one decimal otherwise.
QString DimensionLabel(double lengthMm, const QString& caption);

// Draws one dimension from a to b (canvas points) with its extension lines, arrows and the label
// centred above the line, everything turned by angle degrees (0 for a row below the sketch, 90 for
// a column to its right, where a is the lower end).
void DrawDimension(QPainter& painter, const TPoint& a, const TPoint& b, const QString& label,
                   int rowHeight, double angle);

// One row (or column) of the dimension grid: chains whose extents do not overlap, ordered along
// the axis.
class TokfSizing
{
public:
    explicit TokfSizing(double angle = 0) : Angle(angle) {}

    double Angle = 0; // label angle in degrees: 0 for rows, 90 for columns

    int Count() const { return static_cast<int>(Chains.size()); }
    const TokfSizePointList& Chain(int index) const { return Chains.at(static_cast<size_t>(index)); }
    const TokfSizePointList& First() const { return Chains.front(); }
    const TokfSizePointList& Last() const { return Chains.back(); }
    void Clear() { Chains.clear(); }
    bool HasSame(const TokfSizePointList& chain) const;

    // Where the chain (of at least one point) fits without overlapping its neighbours: at the
    // front, between two neighbours or at the end, the first place found; -1 when it does not fit.
    // Touching chains do not overlap.
    int FitIndex(const TokfSizePointList& chain, bool vertical) const;
    void Insert(int index, TokfSizePointList chain);

    // Draws every segment of every chain; base is the canvas point of the model origin on this
    // row's line, scale millimetres per canvas unit.
    void DrawRow(QPainter& painter, const TPoint& base, bool vertical, int rowHeight, double scale,
                 const TPoint& origin = {}) const;

private:
    std::vector<TokfSizePointList> Chains;
};
