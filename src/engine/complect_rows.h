#pragma once

#include <QString>
#include <memory>
#include <vector>

// One FrnSet row of a complect, as the expansion reads it.
struct TComplectRow
{
    // A window condition on a side, a corner or the adjacent sash: the number of the side or
    // corner, the bounds, and for radii the kinds of arc allowed.
    struct TWindow
    {
        int No = 0;
        double Min = 0;
        double Max = 0;
        int Type = 0;
    };

    QString Item;
    QString UseIfArt;
    QString ScaleScheme;
    QString LenFormula;
    QString Note;
    QString AlertIfNoArt;
    int PropKey = 0;
    int FFBMin = 0, FFBMax = 0, FFHMin = 0, FFHMax = 0;
    TWindow L1, L2, R1, R2, Angle, L21, L22;
    int StulpType = 0;
    int Condition = 0;
    int Side1No = 0, Side2No = 0, AngleNo = 0;
    int ColorCondition = 0;
    int Number = 0, ScaleStart = 0, ScaleStep = 0, ScaleNum = 0, ScaleCondition = 0;
    int UseLen = 0, MinLen = 0;
    int ItemSideNo = 0, HandleSideNo = 0;
    int Required = 0, DefineHandleHeight = 0;
};

using TComplectRows = std::shared_ptr<const std::vector<TComplectRow>>;

// The FrnSet rows of a complect in the table's order. Every sash a complect is set on walks the
// same rows, so they are read once while FrnSet.DB stays unchanged.
TComplectRows ComplectRows(const QString& complectId);
