#include "sizing/sketch.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "model/construction.h"
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

void TokfSizeGrid::Build(const TokfConstruction& construction, const TSizeOptions& options)
{
    Clear();
    const TOverallSize size = construction.OverallSize();
    Width = RoundHalfAway(size.Width);
    Height = RoundHalfAway(size.Height);
    if (!options.contains(0) && !options.contains(1) && !options.contains(2))
        return;
    // The overall chains span the sashes' boxes. The overall size rounds the box outwards,
    // so an arc rising a fraction of a millimetre above the corners would otherwise show a
    // second, one millimetre larger height beside the sash's own.
    TSizeBox overall{0, 0, Width, Height};
    bool first = true;
    for (const TokfFlugel* flugel : {&construction.Flugel1, &construction.Flugel2}) {
        if (flugel->PointCount() == 0)
            continue;
        const TSizeBox box = SashSizeBox(*flugel);
        AddSashChains(box, SashSizeSides(*flugel), options);
        if (first)
            overall = box;
        overall = {std::min(overall.X0, box.X0), std::min(overall.Y0, box.Y0), std::max(overall.X1, box.X1),
                   std::max(overall.Y1, box.Y1)};
        first = false;
    }
    if (options.contains(0)) {
        TokfSizePointList across;
        across.Add(TokfSizePoint::CreateX(overall.X0));
        across.Add(TokfSizePoint::CreateX(overall.X1));
        AddHorizontal(std::move(across));
        TokfSizePointList down;
        down.Add(TokfSizePoint::CreateY(overall.Y0));
        down.Add(TokfSizePoint::CreateY(overall.Y1));
        AddVertical(std::move(down));
    }
}

void TokfSizeGrid::Build(const TokfFlugel& flugel, const TSizeOptions& options)
{
    Clear();
    const TSizeBox box = SashSizeBox(flugel);
    const TFalzSize size = flugel.FalzSize();
    // The sash keeps its place in the construction; the grid measures from its own corner.
    Origin = {box.X0, box.Y0};
    Width = size.Width;
    Height = size.Height;
    if (flugel.PointCount() == 0 || (!options.contains(0) && !options.contains(1) && !options.contains(2)))
        return;
    AddSashChains(box, SashSizeSides(flugel), options);
}

namespace {
TRealPoint Real(const TokfPoint& p) { return ToReal(p.AsPoint()); }

QPointF Screen(const TRealPoint& p, double scale)
{
    return {static_cast<double>(p.X / scale), static_cast<double>(p.Y / scale)};
}

QPointF Screen(const TokfPoint& p, double scale) { return ScaleDown(p.AsPoint(), scale).ToQPoint(); }

// The unit normal on the outer side of a side of a clockwise outline (left of start -> end on the
// screen).
TRealPoint OuterNormal(const TRealPoint& start, const TRealPoint& end)
{
    const double length = Distance(start, end);
    if (length == 0)
        return {0, -1};
    return {(end.Y - start.Y) / length, -(end.X - start.X) / length};
}

double NormalisedAngle(double angle)
{
    angle = std::fmod(angle, 360.0);
    return angle < 0 ? angle + 360 : angle;
}

// The arc of a side from its start point to its end point around its centre, on the outer side.
void AddArc(QPainterPath& path, const TokfLine& side, double scale)
{
    const QPointF start = Screen(*side.StartPoint, scale);
    const QPointF end = Screen(*side.EndPoint, scale);
    const QPointF centre = Screen(side.Centre, scale);
    const double radius = std::hypot(start.x() - centre.x(), start.y() - centre.y());
    const QPointF middle = Screen(SideMiddle(side), scale);
    if (radius < 0.5) {
        path.lineTo(middle);
        path.lineTo(end);
        return;
    }
    const TRealPoint c{centre.x(), centre.y()};
    const double a0 = DirectionAngle(c, TRealPoint{start.x(), start.y()});
    const double a1 = DirectionAngle(c, TRealPoint{end.x(), end.y()});
    const double am = DirectionAngle(c, TRealPoint{middle.x(), middle.y()});
    const double ccw = NormalisedAngle(a1 - a0);
    const double sweep = NormalisedAngle(am - a0) < ccw ? ccw : ccw - 360;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcTo(box, a0, sweep);
    // The arc ends within rounding of the corner; join it exactly so the next side meets it.
    path.lineTo(end);
}

void DrawHandle(QPainter& painter, const TokfLine& side, double scale)
{
    QPointF mark = Screen(ToReal(side.HandleMark), scale);
    // About 3 cm of rosette, kept visible on small sketches and modest on large ones.
    const double r = std::clamp(150 / scale, 2.5, 6.0);
    TRealPoint along{0, 1};
    if (side.StartPoint && side.EndPoint) {
        const TRealPoint a = Real(*side.StartPoint);
        const TRealPoint b = Real(*side.EndPoint);
        const double length = Distance(a, b);
        if (length > 0)
            along = {(b.X - a.X) / length, (b.Y - a.Y) / length};
        // The mark lies on the inner side of the side; keep the whole rosette there, clear of
        // the outline and of the dimension labels outside it.
        mark += QPointF(-along.Y, along.X) * (r + 1);
        // The lever hangs down, or points right on a level side.
        if (along.Y < 0 || (along.Y == 0 && along.X < 0))
            along = {-along.X, -along.Y};
    }
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.drawEllipse(mark, r, r);
    QPen lever = painter.pen();
    lever.setWidthF(std::max(2.0, r * 0.8));
    lever.setCapStyle(Qt::RoundCap);
    painter.setPen(lever);
    painter.drawLine(mark, mark + QPointF(along.X * r * 3.5, along.Y * r * 3.5));
    painter.restore();
}
} // namespace

TRealPoint SideMiddle(const TokfLine& side)
{
    if (!side.StartPoint || !side.EndPoint)
        return {};
    const TRealPoint start = Real(*side.StartPoint);
    const TRealPoint end = Real(*side.EndPoint);
    const TRealPoint chordMiddle = Midpoint(start, end);
    if (side.Radius1 == 0)
        return chordMiddle;
    // The centre lies on the chord's perpendicular bisector; the arc bulges outwards.
    const double radius = Distance(side.Centre, start);
    const TRealPoint n = OuterNormal(start, end);
    return {side.Centre.X + n.X * radius, side.Centre.Y + n.Y * radius};
}

void DrawFlugel(QPainter& painter, const TokfFlugel& flugel, double scale)
{
    if (flugel.SideCount() == 0 || scale <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen outlinePen = painter.pen();
    outlinePen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(outlinePen);
    painter.setBrush(Qt::NoBrush);

    QPainterPath path;
    bool started = false;
    for (int i = 0; i < flugel.SideCount(); ++i) {
        const TokfLine& side = flugel.Side(i);
        if (!side.StartPoint || !side.EndPoint)
            continue;
        if (!started) {
            path.moveTo(Screen(*side.StartPoint, scale));
            started = true;
        }
        if (side.Radius1 != 0)
            AddArc(path, side, scale);
        else
            path.lineTo(Screen(*side.EndPoint, scale));
    }
    path.closeSubpath();
    painter.drawPath(path);

    if (flugel.Complect) {
        QPen thin = painter.pen();
        thin.setWidth(1);
        painter.setPen(thin);
        for (int i = 0; i < flugel.SideCount(); ++i) {
            const TokfLine& side = flugel.Side(i);
            if (!side.OpenSide || side.RotSide < 0 || side.RotSide >= flugel.SideCount() || !side.StartPoint
                || !side.EndPoint)
                continue;
            const QPointF apex = Screen(SideMiddle(flugel.Side(side.RotSide)), scale);
            painter.drawLine(Screen(*side.StartPoint, scale), apex);
            painter.drawLine(Screen(*side.EndPoint, scale), apex);
        }
        if (flugel.Complect->IsWindowKind())
            for (int i = 0; i < flugel.SideCount(); ++i)
                if (flugel.Side(i).HandleSide)
                    DrawHandle(painter, flugel.Side(i), scale);
    }
    painter.restore();
}

namespace {
struct TFit
{
    double Scale = 0;
    QPoint Offset;
};

// The scale (millimetres per canvas unit) and the offset of the sketch's top-left corner that fit
// a w x h millimetre drawing into rect beside the grid's bands; no fit for an empty drawing or
// a rect without room.
bool Fit(const TokfSizeGrid& grid, double w, double h, const QRect& rect, double zoom, TFit& fit)
{
    const double availableW = rect.width() - grid.VerticalBandWidth() - 20;
    const double availableH = rect.height() - grid.HorizontalBandHeight() - 20;
    if (w <= 0 || h <= 0 || availableW <= 0 || availableH <= 0)
        return false;
    fit.Scale = w / h >= availableW / availableH ? w / availableW : h / availableH;
    if (zoom != 0)
        fit.Scale *= zoom;
    fit.Offset = {rect.left() + RoundHalfAway((availableW - w / fit.Scale) / 2 + 10),
                  rect.top() + RoundHalfAway((availableH - h / fit.Scale) / 2 + 10)};
    return true;
}
} // namespace

void DrawConstruction(QPainter& painter, const TokfConstruction& construction, const QRect& rect,
                      double zoom, const TSizeOptions& options)
{
    TokfSizeGrid grid(&painter);
    grid.Build(construction, options);
    TFit fit;
    if (!Fit(grid, grid.Width, grid.Height, rect, zoom, fit))
        return;
    painter.save();
    painter.translate(fit.Offset);
    QPen pen = painter.pen();
    pen.setWidth(3);
    painter.setPen(pen);
    DrawFlugel(painter, construction.Flugel1, fit.Scale * 10);
    if (construction.Arrangement != arSingle)
        DrawFlugel(painter, construction.Flugel2, fit.Scale * 10);
    pen.setWidth(1);
    painter.setPen(pen);
    grid.Draw(fit.Scale);
    painter.restore();
}

void DrawFlugelSketch(QPainter& painter, const TokfFlugel& flugel, const QRect& rect, double zoom,
                      const TSizeOptions& options)
{
    TokfSizeGrid grid(&painter);
    grid.Build(flugel, options);
    TFit fit;
    if (!Fit(grid, grid.Width, grid.Height, rect, zoom, fit))
        return;
    painter.save();
    painter.translate(fit.Offset);
    painter.save();
    // The sash keeps its place in the construction: shift its box corner to the sketch's corner.
    const TSizeBox box = SashUnitBox(flugel);
    painter.translate(-box.X0 / (fit.Scale * 10), -box.Y0 / (fit.Scale * 10));
    QPen pen = painter.pen();
    pen.setWidth(3);
    painter.setPen(pen);
    DrawFlugel(painter, flugel, fit.Scale * 10);
    painter.restore();
    grid.Draw(fit.Scale);
    painter.restore();
}
