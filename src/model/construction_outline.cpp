#include "model/construction.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

// Corners of one sash, clockwise on the screen from the bottom-left; every value in tenths of a
// millimetre, a the horizontal offset.
std::vector<TPoint> FigureCorners(int figure, std::int32_t a, std::int32_t b, std::int32_t h, std::int32_t x)
{
    switch (figure) {
    case 3: return {{a, h}, {a, h - x}, {a + b, 0}, {a + b, h}};
    case 4: return {{a, h}, {a, 0}, {a + b, h - x}, {a + b, h}};
    case 5: return {{a, h}, {a + b, 0}, {a + b, h}};
    case 6: return {{a, h}, {a, 0}, {a + b, h}};
    case 7: return {{a, h}, {a, x}, {a + b, x}, {a + b, h}};
    default: return {{a, h}, {a, 0}, {a + b, 0}, {a + b, h}};
    }
}

void BuildSash(TokfFlugel& flugel, int figure, std::int32_t a, std::int32_t b, std::int32_t h, std::int32_t x,
               float r1, float r2)
{
    flugel.SetOutline(FigureCorners(figure, a, b, h, x));
    // The arch and the rectangle take the radii on their top side, the second one.
    const bool archable = figure < 3 || figure > 6;
    if (archable && flugel.SideCount() > 1) {
        flugel.Side(1).Radius1 = r1;
        flugel.Side(1).Radius2 = r2;
    }
    for (int i = 0; i < flugel.SideCount(); ++i)
        flugel.Side(i).UpdateCentre();
}

} // namespace

void TokfConstruction::BuildOutline(const TOutlineShape& shape, int dornType)
{
    const float r1 = static_cast<float>(MmToUnitsReal(shape.Radius1));
    const float r2 = static_cast<float>(MmToUnitsReal(shape.Radius2));
    const std::int32_t h = MmToUnits(shape.Height);
    if (Arrangement == arSingle) {
        BuildSash(Flugel1, shape.Figure, 0, MmToUnits(shape.Width), h, MmToUnits(shape.X), r1, r2);
        Flugel1.DornType = dornType;
        return;
    }
    const std::int32_t x = MmToUnits(shape.X);
    BuildSash(Flugel1, 0, 0, x, h, 0, r1, r2);
    BuildSash(Flugel2, 0, x, MmToUnits(shape.Y), h, 0, r1, r2);
    Flugel1.DornType = dornType;
    Flugel2.DornType = dornType;
}

namespace {

// Sizes the position dialog can enter; anything beyond comes from elsewhere.
constexpr std::int64_t MaxEnteredUnits = 999990;

bool Straight(const TokfLine& side)
{
    return side.Radius1 == 0 && side.Radius2 == 0;
}

// Every side straight but `arcSide` (-1: all of them).
bool StraightBut(const TokfFlugel& flugel, int arcSide)
{
    for (int i = 0; i < flugel.SideCount(); ++i)
        if (i != arcSide && !Straight(flugel.Side(i)))
            return false;
    return true;
}

std::vector<TPoint> CornersOf(const TokfFlugel& flugel)
{
    std::vector<TPoint> corners;
    for (int i = 0; i < flugel.PointCount(); ++i)
        corners.push_back(flugel.Point(i).AsPoint());
    return corners;
}

// The figure's B, H and X read off the corners, when the figure builds exactly these corners from
// whole millimetres at some horizontal offset.
std::optional<TOutlineShape> ReadFigure(int figure, const std::vector<TPoint>& c)
{
    const size_t count = figure == 5 || figure == 6 ? 3 : 4;
    if (c.size() != count)
        return std::nullopt;
    const std::int64_t a = c[0].X;
    const std::int64_t h = c[0].Y;
    std::int64_t b = c[2].X - a;
    std::int64_t x = 0;
    switch (figure) {
    case 3: x = h - c[1].Y; break;
    case 4: x = h - c[2].Y; break;
    case 5: b = c[1].X - a; break;
    case 7: x = c[1].Y; break;
    default: break;
    }
    for (const std::int64_t v : {b, h, x})
        if (v < 0 || v > MaxEnteredUnits)
            return std::nullopt;
    if (a < -MaxEnteredUnits || a > MaxEnteredUnits)
        return std::nullopt;
    TOutlineShape shape;
    shape.Figure = static_cast<std::uint8_t>(figure);
    shape.Width = UnitsToMmRound(static_cast<long double>(b));
    shape.Height = UnitsToMmRound(static_cast<long double>(h));
    shape.X = UnitsToMmRound(static_cast<long double>(x));
    if (FigureCorners(figure, static_cast<std::int32_t>(a), MmToUnits(shape.Width), MmToUnits(shape.Height),
                      MmToUnits(shape.X)) != c)
        return std::nullopt;
    return shape;
}

// The figure of a single sash, tried from the plainest so that a degenerate trapezoid (X = H)
// reads as the rectangle it is.
std::optional<TOutlineShape> SingleSashShape(const TokfFlugel& flugel)
{
    if (flugel.SideCount() != flugel.PointCount())
        return std::nullopt;
    const std::vector<TPoint> corners = CornersOf(flugel);
    for (const int figure : {0, 7, 3, 4, 5, 6}) {
        std::optional<TOutlineShape> shape = ReadFigure(figure, corners);
        if (!shape)
            continue;
        if (figure != 7) {
            if (StraightBut(flugel, -1))
                return shape;
            continue;
        }
        // The arch: a circular top side; the dialog's radius field holds one decimal.
        const TokfLine& top = flugel.Side(1);
        if (!top.IsCircular() || !StraightBut(flugel, 1))
            continue;
        shape->Radius1 = static_cast<float>(std::round(static_cast<double>(top.Radius1)) / 10.0);
        shape->Radius2 = shape->Radius1;
        return shape;
    }
    return std::nullopt;
}

bool IsRectangle(const TokfFlugel& flugel)
{
    const std::optional<TOutlineShape> shape = SingleSashShape(flugel);
    return shape && shape->Figure == 0;
}

} // namespace

TOutlineShape ShapeOf(const TokfConstruction& construction, bool* recognised)
{
    const TokfFlugel& left = construction.Flugel1;
    TOutlineShape shape;
    bool known = false;
    if (construction.Arrangement == arLeftMain || construction.Arrangement == arRightMain) {
        // Two sashes are always built as rectangles side by side; their sizes say it all.
        const TFalzSize l = left.FalzSize();
        const TFalzSize r = construction.Flugel2.FalzSize();
        shape.Figure = construction.Arrangement == arRightMain ? 1 : 2;
        shape.X = l.Width;
        shape.Y = r.Width;
        shape.Width = l.Width + r.Width;
        shape.Height = l.Height;
        known = IsRectangle(left) && IsRectangle(construction.Flugel2) && l.Height == r.Height;
    } else if (const std::optional<TOutlineShape> single = SingleSashShape(left)) {
        shape = *single;
        known = construction.Arrangement == arSingle;
    } else {
        const TFalzSize size = left.FalzSize();
        shape.Width = size.Width;
        shape.Height = size.Height;
    }
    if (recognised)
        *recognised = known;
    return shape;
}
