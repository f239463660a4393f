#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "foundation/geometry.h"

// One point of a dimension chain in millimetres: (x, 0) on a horizontal chain, (0, y) on a
// vertical one.
struct TokfSizePoint
{
    std::int32_t X = 0;
    std::int32_t Y = 0;

    static TokfSizePoint CreateX(std::int32_t v) { return {v, 0}; }
    static TokfSizePoint CreateY(std::int32_t v) { return {0, v}; }
    TPoint AsPoint() const { return {X, Y}; }

    friend bool operator==(const TokfSizePoint&, const TokfSizePoint&) = default;
};

// One dimension chain. The points stay free of duplicates; the builder sorts them along the axis
// once they are all added. A non-empty Caption is shown instead of every segment's length.
class TokfSizePointList
{
public:
    QString Caption;

    // Appends the point; -1 (nothing added) when an equal point is already there, else its index.
    int Add(const TokfSizePoint& point);
    int Count() const { return static_cast<int>(Points.size()); }
    const TokfSizePoint& Point(int index) const { return Points.at(static_cast<size_t>(index)); }
    // The first and last point; a chain asked for them is never empty.
    const TokfSizePoint& First() const { return Points.front(); }
    const TokfSizePoint& Last() const { return Points.back(); }
    void SortByX();
    void SortByY();
    bool Contains(const TokfSizePoint& point) const;
    // Same count and equal points in the same order (the caption does not count).
    bool SameAs(const TokfSizePointList& other) const { return Points == other.Points; }
    void Clear() { Points.clear(); }

private:
    std::vector<TokfSizePoint> Points;
};
