#include "sizing/sizing.h"

#include <QPainter>
#include <QPen>
#include <cmath>

#include "foundation/formats.h"

QString DimensionLabel(double lengthMm, const QString& caption)
{
    if (!caption.isEmpty())
        return caption;
    const bool whole = lengthMm == std::trunc(lengthMm);
    return Formats().FormatFloat(lengthMm, whole ? 0 : 1);
}

namespace {
QPointF Turned(const TPoint& end, double dx, double dy, double angle)
{
    const TRealPoint centre = ToReal(end);
    return Rotate({centre.X + dx, centre.Y + dy}, centre, angle).ToQPointF();
}
} // namespace

void DrawDimension(QPainter& painter, const TPoint& a, const TPoint& b, const QString& label,
                   int rowHeight, double angle)
{
    painter.save();
    QPen pen = painter.pen();
    pen.setWidth(1);
    painter.setPen(pen);

    painter.drawLine(a.ToQPoint(), b.ToQPoint());
    const int e = rowHeight / 5;
    const int arrow = RoundHalfAway(rowHeight / 1.8L);
    // The arrows point outwards from the inside of the segment: at a the inside is +x, at b -x.
    const struct { TPoint end; int inward; } ends[] = {{a, arrow}, {b, -arrow}};
    for (const auto& end : ends) {
        painter.drawLine(Turned(end.end, 0, -rowHeight, angle), Turned(end.end, 0, 1, angle));
        painter.drawLine(end.end.ToQPoint(), Turned(end.end, end.inward, -e, angle));
        painter.drawLine(end.end.ToQPoint(), Turned(end.end, end.inward, e, angle));
    }
    painter.restore();

    DrawRotatedText(painter, Midpoint(a, b), label, -1, TextAlignBottom | TextAlignCenter, angle);
}

bool TokfSizing::HasSame(const TokfSizePointList& chain) const
{
    for (const auto& c : Chains)
        if (c.SameAs(chain))
            return true;
    return false;
}

int TokfSizing::FitIndex(const TokfSizePointList& chain, bool vertical) const
{
    const auto at = [vertical](const TokfSizePoint& p) { return vertical ? p.Y : p.X; };
    if (Chains.empty())
        return 0;
    const int first = at(chain.First());
    const int last = at(chain.Last());
    if (at(Chains.front().First()) >= last)
        return 0;
    for (int i = 1; i < Count(); ++i)
        if (first >= at(Chain(i - 1).Last()) && at(Chain(i).First()) >= last)
            return i;
    if (first >= at(Chains.back().Last()))
        return Count();
    return -1;
}

void TokfSizing::Insert(int index, TokfSizePointList chain)
{
    Chains.insert(Chains.begin() + index, std::move(chain));
}

void TokfSizing::DrawRow(QPainter& painter, const TPoint& base, bool vertical, int rowHeight,
                         double scale, const TPoint& origin) const
{
    const auto screen = [&](const TokfSizePoint& p) {
        const TPoint s = ScaleDown(TPoint{p.X - (vertical ? 0 : origin.X), p.Y - (vertical ? origin.Y : 0)}, scale);
        return TPoint{s.X + base.X, s.Y + base.Y};
    };
    for (const auto& chain : Chains) {
        for (int k = 1; k < chain.Count(); ++k) {
            const TokfSizePoint& p0 = chain.Point(k - 1);
            const TokfSizePoint& p1 = chain.Point(k);
            const QString label = DimensionLabel(Distance(p0.AsPoint(), p1.AsPoint()), chain.Caption);
            // A column runs upwards so that its arrows and label turn with the angle.
            if (vertical)
                DrawDimension(painter, screen(p1), screen(p0), label, rowHeight, Angle);
            else
                DrawDimension(painter, screen(p0), screen(p1), label, rowHeight, Angle);
        }
    }
}
