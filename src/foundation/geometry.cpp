#include "foundation/geometry.h"

#include "foundation/error.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

long double Radians(long double degrees)
{
    return degrees * Pi / 180.0L;
}

std::int32_t TruncToInt32(long double x)
{
    const long double t = std::trunc(x);
    if (std::isnan(t) || t < std::numeric_limits<std::int32_t>::min()
        || t > std::numeric_limits<std::int32_t>::max())
        throw TError(QStringLiteral("Недопустимое числовое значение: %1").arg(double(x)));
    return static_cast<std::int32_t>(t);
}

// Powers of ten by table: prices are rounded for every line of every sash, and powl costs more
// than the rest of the rounding. The products are exact up to 10^27.
long double TenTo(int decimals)
{
    static const auto powers = [] {
        std::array<long double, 19> p{};
        p[0] = 1;
        for (size_t i = 1; i < p.size(); ++i)
            p[i] = p[i - 1] * 10;
        return p;
    }();
    return decimals >= 0 && decimals < static_cast<int>(powers.size()) ? powers[static_cast<size_t>(decimals)]
                                                                        : std::pow(10.0L, decimals);
}

long double RoundToLong(long double x, int decimals)
{
    const long double factor = TenTo(decimals);
    const long double rounded = std::trunc(std::fabs(x) * factor + 0.5L) / factor;
    return x < 0 ? -rounded : rounded;
}

long double DistanceLong(long double dx, long double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

long double DirectionAngleLong(long double dx, long double dy)
{
    if (dx == 0 && dy == 0)
        return 0;
    if (dy == 0)
        return dx > 0 ? 0 : 180;
    if (dx == 0)
        return dy < 0 ? 90 : 270;
    long double a = std::atan2(-dy, dx) * 180.0L / Pi;
    if (a < 0)
        a += 360;
    if (a >= 360)
        a -= 360;
    return a;
}

int OctantOf(long double px, long double py, long double qx, long double qy)
{
    if (qx > px)
        return qy < py ? 1 : (qy == py ? 2 : 3);
    if (qx < px)
        return qy > py ? 5 : (qy == py ? 6 : 7);
    if (qy > py)
        return 4;
    if (qy < py)
        return 8;
    return 0;
}

TRealPoint Rounded4(long double x, long double y)
{
    return {double(RoundToLong(x, 4)), double(RoundToLong(y, 4))};
}

// A quarter turn between a radius and the tangent it is perpendicular to.
long double TangentAdjusted(long double t)
{
    return t > 180 ? t - 270 : t + 90;
}

} // namespace

std::int32_t RoundHalfAway(long double x)
{
    const long double rounded = std::trunc(std::fabs(x) + 0.5L);
    return TruncToInt32(x < 0 ? -rounded : rounded);
}

double RoundTo(long double x, int decimals)
{
    return double(RoundToLong(x, decimals));
}

std::int32_t CeilTol(long double x)
{
    if (x != 0)
        x = RoundToLong(x, 4);
    if (std::fabs(x - std::trunc(x)) < 0.0001L)
        return TruncToInt32(x);
    return TruncToInt32(x + 1);
}

std::int32_t FloorTol(long double x)
{
    if (x != 0)
        x = RoundToLong(x, 4);
    if (std::fabs(x - std::trunc(x)) < 0.0001L)
        return TruncToInt32(x);
    return TruncToInt32(x - 1);
}

bool Less(long double a, long double b)
{
    return a - b <= -0.01L;
}

bool Greater(long double a, long double b)
{
    return b - a <= -0.01L;
}

TRealPoint ToReal(const TPoint& p)
{
    return {double(p.X), double(p.Y)};
}

TPoint RoundPoint(const TRealPoint& p)
{
    return {RoundHalfAway(p.X), RoundHalfAway(p.Y)};
}

TRealPoint RoundPoint4(const TRealPoint& p)
{
    return Rounded4(p.X, p.Y);
}

std::int32_t MmToUnits(long double mm)
{
    return RoundHalfAway(mm * 10);
}

double MmToUnitsReal(long double mm)
{
    return double(mm * 10);
}

double UnitsToMm(long double units)
{
    return double(units / 10);
}

std::int32_t UnitsToMmRound(long double units)
{
    return RoundHalfAway(units / 10);
}

std::int32_t ScaleDown(std::int32_t v, long double scale)
{
    return RoundHalfAway(v / scale);
}

TPoint ScaleDown(const TPoint& p, long double scale)
{
    return {ScaleDown(p.X, scale), ScaleDown(p.Y, scale)};
}

double ScaleDownReal(long double v, long double scale)
{
    return RoundTo(v / scale, 1);
}

TRealPoint ScaleDownReal(const TRealPoint& p, long double scale)
{
    return {ScaleDownReal(p.X, scale), ScaleDownReal(p.Y, scale)};
}

double Distance(const TPoint& p, const TPoint& q)
{
    return Distance(ToReal(p), ToReal(q));
}

double Distance(const TRealPoint& p, const TRealPoint& q)
{
    return double(DistanceLong((long double)q.X - p.X, (long double)q.Y - p.Y));
}

TPoint Midpoint(const TPoint& p, const TPoint& q)
{
    return {RoundHalfAway(((long double)p.X + q.X) / 2), RoundHalfAway(((long double)p.Y + q.Y) / 2)};
}

TRealPoint Midpoint(const TRealPoint& p, const TRealPoint& q)
{
    return {double(((long double)p.X + q.X) / 2), double(((long double)p.Y + q.Y) / 2)};
}

bool SamePoint(const TPoint& p, const TPoint& q)
{
    return p == q;
}

bool SamePoint(const TRealPoint& p, const TRealPoint& q)
{
    return p == q;
}

double DirectionAngle(const TRealPoint& p, const TRealPoint& q)
{
    return double(DirectionAngleLong((long double)q.X - p.X, (long double)q.Y - p.Y));
}

double DirectionAngle(const TPoint& p, const TPoint& q)
{
    return DirectionAngle(ToReal(p), ToReal(q));
}

int Octant(const TRealPoint& p, const TRealPoint& q)
{
    return OctantOf(p.X, p.Y, q.X, q.Y);
}

int Octant(const TPoint& p, const TPoint& q)
{
    return OctantOf(p.X, p.Y, q.X, q.Y);
}

int AngleOctant(long double a)
{
    if (a == 0 || a == 360)
        return 2;
    if (a == 90)
        return 8;
    if (a == 180)
        return 6;
    if (a == 270)
        return 4;
    if (a > 0 && a < 90)
        return 1;
    if (a > 90 && a < 180)
        return 7;
    if (a > 180 && a < 270)
        return 5;
    if (a > 270 && a < 360)
        return 3;
    return 0;
}

TRealPoint Rotate(const TRealPoint& p, const TRealPoint& centre, long double angle)
{
    const long double a = Radians(angle);
    const long double c = std::cos(a);
    const long double s = std::sin(a);
    const long double dx = (long double)p.X - centre.X;
    const long double dy = (long double)p.Y - centre.Y;
    return Rounded4(centre.X + c * dx + s * dy, centre.Y - s * dx + c * dy);
}

TRealPoint PointToward(const TRealPoint& p, const TRealPoint& q, long double d)
{
    const long double dx = (long double)q.X - p.X;
    const long double dy = (long double)q.Y - p.Y;
    const long double length = DistanceLong(dx, dy);
    if (length == 0)
        return p;
    return {double(p.X + d * dx / length), double(p.Y + d * dy / length)};
}

TRealPoint PointAtAngle(const TRealPoint& base, const TRealPoint& p, const TRealPoint& q,
                        long double angle, long double d)
{
    const long double a = Radians(DirectionAngleLong((long double)q.X - p.X, (long double)q.Y - p.Y) + angle);
    return {double(base.X + d * std::cos(a)), double(base.Y - d * std::sin(a))};
}

TRealPoint ArcCentre(const TRealPoint& start, const TRealPoint& end, long double r)
{
    if (r == 0)
        return {0, 0};
    const long double dx = (long double)end.X - start.X;
    const long double dy = (long double)end.Y - start.Y;
    const long double chord = DistanceLong(dx, dy);
    const long double mx = ((long double)start.X + end.X) / 2;
    const long double my = ((long double)start.Y + end.Y) / 2;
    const long double half = chord / 2;
    if (chord == 0 || r * r < half * half)
        return Rounded4(mx, my);
    const long double h = std::sqrt(r * r - half * half);
    // (-dy, dx) / chord is the unit normal to the right of the direction, Y pointing down.
    return Rounded4(mx - h * dy / chord, my + h * dx / chord);
}

bool OnArc(const TRealPoint& start, const TRealPoint& end, const TRealPoint& centre,
           const TRealPoint& q, long double r)
{
    const long double fromCentre = DistanceLong((long double)q.X - centre.X, (long double)q.Y - centre.Y);
    if (std::fabs(fromCentre - std::fabs(r)) > 0.5L)
        return false;
    const long double side = ((long double)q.X - start.X) * ((long double)end.Y - start.Y)
                           - ((long double)q.Y - start.Y) * ((long double)end.X - start.X);
    return side * r >= 0;
}

double ArcRise(long double r, long double chord)
{
    const long double half = chord / 2;
    if (chord <= 0 || r * r < half * half)
        return 0;
    return RoundTo(r - std::sqrt(r * r - half * half), 8);
}

double ArcRadius(long double rise, long double chord)
{
    if (chord <= 0 || rise <= 0)
        return 0;
    const long double half = chord / 2;
    return RoundTo((half * half + rise * rise) / (2 * rise), 8);
}

double TurnAngle(const TRealPoint& p0, const TRealPoint& p1, const TRealPoint& p2)
{
    const long double ax = (long double)p1.X - p0.X;
    const long double ay = (long double)p1.Y - p0.Y;
    const long double bx = (long double)p2.X - p1.X;
    const long double by = (long double)p2.Y - p1.Y;
    const long double la = DistanceLong(ax, ay);
    const long double lb = DistanceLong(bx, by);
    if (la == 0 || lb == 0)
        return -1;
    const long double cosine = std::clamp((ax * bx + ay * by) / (la * lb), -1.0L, 1.0L);
    const long double theta = std::acos(cosine) * 180.0L / Pi;

    const long double a1 = DirectionAngleLong(ax, ay);
    const long double a2 = DirectionAngleLong(bx, by);
    long double m;
    if (a1 > 180) {
        m = 360 - a1 + a2;
        if (m > 360)
            m -= 360;
    } else {
        m = a2 - a1;
    }
    return double(m > 0 && m < 180 ? 180 + theta : 180 - theta);
}

double TurnAngle(const TPoint& p0, const TPoint& p1, const TPoint& p2)
{
    return TurnAngle(ToReal(p0), ToReal(p1), ToReal(p2));
}

double CornerAngle(const TRealPoint& previousStart, const TRealPoint& corner, const TRealPoint& nextEnd,
                   long double nextRadius, long double previousRadius,
                   const TRealPoint& nextCentre, const TRealPoint& previousCentre)
{
    if (nextRadius == 0 && previousRadius == 0)
        return TurnAngle(previousStart, corner, nextEnd);
    long double c = 0;
    if (nextRadius > 0)
        c = TangentAdjusted(TurnAngle(previousStart, corner, nextCentre));
    long double d = 0;
    if (previousRadius > 0)
        d = TangentAdjusted(TurnAngle(previousCentre, corner, nextEnd));
    return double(c + d);
}

QSize DrawRotatedText(QPainter& painter, const TPoint& at, const QString& text, int height,
                      int align, long double angle)
{
    painter.save();
    QFont font = painter.font();
    if (height != -1 && height != 0)
        font.setPixelSize(std::abs(height));
    painter.setFont(font);

    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const int flags = align == -1 ? TextAlignLeft | TextAlignTop : align;

    // Offsets of the baseline origin from the reference point, in the text's own frame.
    qreal dx = 0;
    if ((flags & TextAlignCenter) == TextAlignCenter)
        dx = -w / 2.0;
    else if (flags & TextAlignRight)
        dx = -w;
    qreal dy = metrics.ascent();
    if ((flags & TextAlignBaseline) == TextAlignBaseline)
        dy = 0;
    else if (flags & TextAlignBottom)
        dy = -metrics.descent();

    painter.translate(at.X, at.Y);
    // Qt turns clockwise on a Y-down surface; the escapement is counter-clockwise.
    painter.rotate(-RoundHalfAway(angle * 10) / 10.0);
    painter.drawText(QPointF(dx, dy), text);
    painter.restore();

    const long double a = Radians(angle);
    const long double s = std::fabs(std::sin(a));
    const long double c = std::fabs(std::cos(a));
    return {RoundHalfAway(s * h + c * w), RoundHalfAway(s * w + c * h)};
}
