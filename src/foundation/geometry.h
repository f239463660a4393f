#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

#include <cstdint>

class QPainter;

// Plane geometry of outlines, dimension chains and sketches.
// Model coordinates are tenths of a millimetre, Y pointing down as on the screen. Angles are
// degrees in [0, 360), counter-clockwise as seen on the screen: right 0, up 90, left 180, down 270.
// Intermediate arithmetic is done in long double; results are rounded only where stated.

struct TPoint
{
    std::int32_t X = 0;
    std::int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
    QPoint ToQPoint() const { return {X, Y}; }
};

struct TRealPoint
{
    double X = 0;
    double Y = 0;

    friend bool operator==(const TRealPoint&, const TRealPoint&) = default;
    QPointF ToQPointF() const { return {X, Y}; }
};

inline constexpr long double Pi = 3.1415926535897932385L;

// Rounding and conversion -------------------------------------------------------------------

// sign(x) * trunc(|x| + 0.5). Throws TError when the result leaves the int32 range (or x is NaN).
std::int32_t RoundHalfAway(long double x);
// x rounded half away from zero to the given number of decimals (used with 1, 4 and 8).
double RoundTo(long double x, int decimals);
// x (when not 0) first rounded to four decimals; a fractional part below 0.0001 gives trunc(x),
// otherwise CeilTol gives trunc(x + 1) and FloorTol trunc(x - 1). Note the asymmetry that the
// outline sizes rely on: FloorTol(2.3) is 1 and CeilTol(-2.3) is -1.
std::int32_t CeilTol(long double x);
std::int32_t FloorTol(long double x);
// Comparisons with a tolerance of 0.01: a < b by at least 0.01, a > b by at least 0.01.
bool Less(long double a, long double b);
bool Greater(long double a, long double b);

TRealPoint ToReal(const TPoint& p);
TPoint RoundPoint(const TRealPoint& p);   // each coordinate RoundHalfAway
TRealPoint RoundPoint4(const TRealPoint& p); // each coordinate RoundTo 4 decimals

// Millimetres and model units (tenths of a millimetre).
std::int32_t MmToUnits(long double mm);       // RoundHalfAway(mm * 10)
double MmToUnitsReal(long double mm);         // mm * 10
double UnitsToMm(long double units);          // units / 10
std::int32_t UnitsToMmRound(long double units); // RoundHalfAway(units / 10)

// Screen scaling: model value / scale.
std::int32_t ScaleDown(std::int32_t v, long double scale); // RoundHalfAway(v / scale)
TPoint ScaleDown(const TPoint& p, long double scale);
double ScaleDownReal(long double v, long double scale);    // RoundTo(v / scale, 1)
TRealPoint ScaleDownReal(const TRealPoint& p, long double scale);

// Measures ----------------------------------------------------------------------------------

double Distance(const TPoint& p, const TPoint& q);
double Distance(const TRealPoint& p, const TRealPoint& q);
TPoint Midpoint(const TPoint& p, const TPoint& q); // rounded with RoundPoint
TRealPoint Midpoint(const TRealPoint& p, const TRealPoint& q);
bool SamePoint(const TPoint& p, const TPoint& q);
bool SamePoint(const TRealPoint& p, const TRealPoint& q);

// Angle of the vector p -> q in [0, 360); 0 when p = q; exactly 0, 90, 180, 270 when the vector
// is axis-parallel.
double DirectionAngle(const TRealPoint& p, const TRealPoint& q);
double DirectionAngle(const TPoint& p, const TPoint& q);

// Position of q relative to p: 1 right-up, 2 right, 3 right-down, 4 down, 5 left-down, 6 left,
// 7 left-up, 8 up (Y down: "up" is q.y < p.y); 0 when the points coincide.
int Octant(const TRealPoint& p, const TRealPoint& q);
int Octant(const TPoint& p, const TPoint& q);
// The same classification of an angle: 1 for 0 < a < 90, 2 for a = 0 or 360, 3 for 270 < a < 360,
// 4 for 270, 5 for 180 < a < 270, 6 for 180, 7 for 90 < a < 180, 8 for 90, 0 otherwise.
int AngleOctant(long double angle);

// Constructions -----------------------------------------------------------------------------

// p rotated about centre by angle degrees counter-clockwise on the screen, rounded to 4 decimals.
TRealPoint Rotate(const TRealPoint& p, const TRealPoint& centre, long double angle);
// The point at distance d from p on the ray p -> q; p itself when q = p.
TRealPoint PointToward(const TRealPoint& p, const TRealPoint& q, long double d);
// The point at distance d from base in the direction DirectionAngle(p, q) + angle.
TRealPoint PointAtAngle(const TRealPoint& base, const TRealPoint& p, const TRealPoint& q,
                        long double angle, long double d);

// Centre of the circle of radius r through start and end that lies to the right of the direction
// start -> end on the screen (the inner side of a clockwise outline, so the arc bulges outwards).
// The chord's midpoint when r is too small for the chord; (0, 0) when r is 0. Rounded to 4 decimals.
TRealPoint ArcCentre(const TRealPoint& start, const TRealPoint& end, long double r);
// True when q lies on the arc: within 0.5 of the circle and on the bulging side of the chord
// (the side opposite the centre for a positive r, the centre's side for a negative r).
bool OnArc(const TRealPoint& start, const TRealPoint& end, const TRealPoint& centre,
           const TRealPoint& q, long double r);
// Height of the circular segment r - sqrt(r^2 - (chord/2)^2); 0 when chord <= 0 or r too small.
// Rounded to 8 decimals.
double ArcRise(long double r, long double chord);
// Radius from segment height and chord ((chord/2)^2 + rise^2) / (2 rise); 0 when chord or rise
// is not positive. Rounded to 8 decimals.
double ArcRadius(long double rise, long double chord);

// Angle at p1 between p0 -> p1 and p1 -> p2: 180 + theta for a left turn on the screen,
// 180 - theta otherwise (the inner angle of a clockwise outline: 90 at a rectangle's corners).
// -1 when either segment has zero length.
double TurnAngle(const TRealPoint& p0, const TRealPoint& p1, const TRealPoint& p2);
double TurnAngle(const TPoint& p0, const TPoint& p1, const TPoint& p2);

// Angle at a corner between the previous and the next side, arcs taken by their tangents
// (the radius to an arc's centre is perpendicular to its tangent). Straight sides have radius 0.
double CornerAngle(const TRealPoint& previousStart, const TRealPoint& corner, const TRealPoint& nextEnd,
                   long double nextRadius, long double previousRadius,
                   const TRealPoint& nextCentre, const TRealPoint& previousCentre);

// Text --------------------------------------------------------------------------------------

// Text alignment of DrawRotatedText, as the reference point of the text: combine one horizontal
// and one vertical value ("bottom-centre" = TextAlignBottom | TextAlignCenter).
inline constexpr int TextAlignLeft = 0;
inline constexpr int TextAlignRight = 2;
inline constexpr int TextAlignCenter = 6;
inline constexpr int TextAlignTop = 0;
inline constexpr int TextAlignBottom = 8;
inline constexpr int TextAlignBaseline = 24;

// Draws text at `at` with the painter's font at the given pixel height (the font's own when -1),
// rotated by angle degrees counter-clockwise (in tenths of a degree, RoundHalfAway(angle * 10)),
// with the given alignment (top-left when -1). Returns the rotated extent:
// width |sin*h| + |cos*w|, height |sin*w| + |cos*h|, each rounded, w x h the unrotated size.
// The painter's state is restored afterwards.
QSize DrawRotatedText(QPainter& painter, const TPoint& at, const QString& text, int height,
                      int align, long double angle);
