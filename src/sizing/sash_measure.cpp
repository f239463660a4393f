#include "sizing/sash_measure.h"

#include "model/flugel.h"

TSizeBox SashUnitBox(const TokfFlugel& flugel)
{
    if (flugel.PointCount() == 0)
        return {};
    long double minX = flugel.Point(0).X, maxX = minX, minY = flugel.Point(0).Y, maxY = minY;
    const auto take = [&](long double x, long double y) {
        if (Less(x, minX)) minX = x;
        if (Greater(x, maxX)) maxX = x;
        if (Less(y, minY)) minY = y;
        if (Greater(y, maxY)) maxY = y;
    };
    for (int i = 0; i < flugel.PointCount(); ++i)
        take(flugel.Point(i).X, flugel.Point(i).Y);
    for (int i = 0; i < flugel.SideCount(); ++i) {
        const TokfLine& side = flugel.Side(i);
        if (side.Radius1 == 0 || !side.StartPoint || !side.EndPoint)
            continue;
        const TRealPoint start = ToReal(side.StartPoint->AsPoint());
        const TRealPoint end = ToReal(side.EndPoint->AsPoint());
        const double r = side.Radius1;
        const TRealPoint c = side.Centre;
        for (const TRealPoint& candidate : {TRealPoint{c.X + r, c.Y}, TRealPoint{c.X - r, c.Y},
                                            TRealPoint{c.X, c.Y + r}, TRealPoint{c.X, c.Y - r}})
            if (OnArc(start, end, c, candidate, r))
                take(candidate.X, candidate.Y);
    }
    return {FloorTol(minX), FloorTol(minY), CeilTol(maxX), CeilTol(maxY)};
}

TSizeBox SashSizeBox(const TokfFlugel& flugel)
{
    const TSizeBox units = SashUnitBox(flugel);
    return {units.X0 / 10, units.Y0 / 10, units.X1 / 10, units.Y1 / 10};
}

std::vector<TSizeSide> SashSizeSides(const TokfFlugel& flugel)
{
    std::vector<TSizeSide> sides;
    for (int i = 0; i < flugel.SideCount(); ++i) {
        const TokfLine& side = flugel.Side(i);
        if (!side.StartPoint || !side.EndPoint)
            continue;
        const TPoint a = side.StartPoint->AsPoint();
        const TPoint b = side.EndPoint->AsPoint();
        sides.push_back({{a.X / 10, a.Y / 10}, {b.X / 10, b.Y / 10}, side.Orientation()});
    }
    return sides;
}

// The unit normal on the outer side of a side of a clockwise outline (left of start -> end on the
// screen).
TRealPoint OuterNormal(const TRealPoint& start, const TRealPoint& end)
{
    const double length = Distance(start, end);
    if (length == 0)
        return {0, -1};
    return {(end.Y - start.Y) / length, -(end.X - start.X) / length};
}

TRealPoint SideMiddle(const TokfLine& side)
{
    if (!side.StartPoint || !side.EndPoint)
        return {};
    const TRealPoint start = ToReal(side.StartPoint->AsPoint());
    const TRealPoint end = ToReal(side.EndPoint->AsPoint());
    const TRealPoint chordMiddle = Midpoint(start, end);
    if (side.Radius1 == 0)
        return chordMiddle;
    // The centre lies on the chord's perpendicular bisector; the arc bulges outwards.
    const double radius = Distance(side.Centre, start);
    const TRealPoint n = OuterNormal(start, end);
    return {side.Centre.X + n.X * radius, side.Centre.Y + n.Y * radius};
}

