#include "sizing/sketch.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "model/construction.h"
#include "model/flugel.h"
#include "sizing/sash_measure.h"

namespace {
TRealPoint Real(const TokfPoint& p) { return ToReal(p.AsPoint()); }

QPointF Screen(const TRealPoint& p, double scale)
{
    return {static_cast<double>(p.X / scale), static_cast<double>(p.Y / scale)};
}

QPointF Screen(const TokfPoint& p, double scale) { return ScaleDown(p.AsPoint(), scale).ToQPoint(); }

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
