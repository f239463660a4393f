#pragma once

#include <QString>
#include <optional>

#include "model/construction.h"

// What the position dialog proposes for a new position, with the values the user typed taking
// the place of the proposals: the number, the name, the sizes coupled by the shape's rules and
// the sash arrangement. Shared by the dialog and by tools that create positions without it.
struct TPositionSizes
{
    std::optional<double> B;
    std::optional<double> H;
    std::optional<double> X;
    std::optional<double> Y;
    std::optional<double> R;
};

struct TPositionProposal
{
    QString PosNo;
    QString Name;
    int Number = 1;
    int ObjectType = 0;
    TOutlineShape Shape;
    std::uint8_t Arrangement = arSingle;
};

// Figures 1 and 2 have two sashes (right or left one main); the others one.
std::uint8_t ArrangementOfFigure(int figure);
int SashCountOfFigure(int figure);
// "Окно: " or "Дверь с порогом: " followed by the shape's name.
QString ProposedPositionName(int objectType, int figure);
// "%.3d" of the position count + 1.
QString ProposedPosNo(int positionCount);
// Default B x H: a door 900 x 2100, a window 700 x 1400.
void DefaultSizes(int objectType, int& width, int& height);

// The shape record handed to BuildOutline for a figure (0..7) and the sizes given: absent sizes
// take the dialog's proposals (X and Y of two sashes split B, X of a trapezoid is H div 2, the
// arch gets a semicircle), given ones are coupled as the dialog couples them, the arch radius is
// raised to B / 2 at least, and every size reaches the record rounded as on OK.
TOutlineShape ProposeShape(int figure, int objectType, const TPositionSizes& sizes);
