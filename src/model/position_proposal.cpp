#include "model/position_proposal.h"

#include <algorithm>
#include <cmath>

#include "foundation/geometry.h"

namespace {

const char* const FigureNames[8] = {
    "Комплект стандартный", "Комплект штульповый", "Комплект штульповый", "Комплект трапеция",
    "Комплект трапеция",    "Комплект треугольный", "Комплект треугольный", "Комплект арка",
};

// The integer fields of the dialog take a typed decimal value rounded to the nearest integer.
int Whole(double value)
{
    return static_cast<int>(std::lround(value));
}

// The radius field holds one decimal.
double OneDecimal(double value)
{
    return std::round(value * 10.0) / 10.0;
}

} // namespace

std::uint8_t ArrangementOfFigure(int figure)
{
    if (figure == 1)
        return arRightMain;
    if (figure == 2)
        return arLeftMain;
    return arSingle;
}

int SashCountOfFigure(int figure)
{
    return ArrangementOfFigure(figure) == arSingle ? 1 : 2;
}

QString ProposedPositionName(int objectType, int figure)
{
    const QString prefix = objectType == 0 ? QStringLiteral("Окно: ") : QStringLiteral("Дверь с порогом: ");
    return prefix + QString::fromUtf8(FigureNames[figure >= 0 && figure < 8 ? figure : 0]);
}

QString ProposedPosNo(int positionCount)
{
    return QStringLiteral("%1").arg(positionCount + 1, 3, 10, QLatin1Char('0'));
}

void DefaultSizes(int objectType, int& width, int& height)
{
    if (objectType != 0) {
        width = 900;
        height = 2100;
    } else {
        width = 700;
        height = 1400;
    }
}

TOutlineShape ProposeShape(int figure, int objectType, const TPositionSizes& sizes)
{
    int defaultWidth = 0;
    int defaultHeight = 0;
    DefaultSizes(objectType, defaultWidth, defaultHeight);
    const int b = sizes.B ? Whole(*sizes.B) : defaultWidth;
    const int h = sizes.H ? Whole(*sizes.H) : defaultHeight;

    TOutlineShape shape;
    shape.Width = b;
    shape.Height = h;
    shape.Figure = static_cast<std::uint8_t>(figure);
    switch (figure) {
    case 1:
    case 2: {
        int x = b / 2;
        int y = b - x;
        if (sizes.X && sizes.Y) {
            x = Whole(*sizes.X);
            y = Whole(*sizes.Y);
        } else if (sizes.X) {
            x = Whole(*sizes.X);
            if (x < b)
                y = b - x;
        } else if (sizes.Y) {
            y = Whole(*sizes.Y);
            if (y < b)
                x = b - y;
        }
        shape.X = x;
        shape.Y = y;
        break;
    }
    case 3:
    case 4:
        shape.X = sizes.X ? Whole(*sizes.X) : h / 2;
        break;
    case 7: {
        const double half = b / 2.0;
        double r = half;
        double x = 0;
        if (sizes.X && !sizes.R) {
            // The rise decides the radius; a rise beyond a semicircle is set back to it.
            x = std::min(*sizes.X, half);
            r = OneDecimal(ArcRadius(x, b)); // what the radius field shows is what OK reads
        } else if (sizes.R) {
            r = OneDecimal(*sizes.R);
        }
        if (r < half)
            r = half;
        if (sizes.X && sizes.R)
            x = std::min(*sizes.X, half);
        else if (!sizes.X || x <= 0)
            x = ArcRise(r, b);
        shape.X = Whole(x);
        shape.Radius1 = static_cast<float>(r);
        shape.Radius2 = shape.Radius1;
        break;
    }
    default:
        break;
    }
    return shape;
}
