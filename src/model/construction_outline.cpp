#include "model/construction.h"

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
