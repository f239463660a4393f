#pragma once

#include <QString>

// Small arithmetic rules of the selection engine that do not touch the catalogue.

// Catalogue bit sets count bits from 1: bit k is bit (k-1) of the integer.
bool HasBit(int value, int k);

// A mullion-type restriction admits a mullion type when it is 0, has bit 1 (any) or has bit
// (type + 1). Type 0 is therefore admitted only by 0 or bit 1.
bool StulpTypeAdmits(int restriction, int mullionType);

// Half away from zero, as the catalogue's sizes are rounded.
int RoundHalfAway(double value);

// Sash sizes in the catalogue's conditions are whole centimetres made from whole millimetres.
int MillimetresToCentimetres(int millimetres);

// How many entries of a ';'-separated list of integers are not greater than the value; entries
// that are not integers, and -1, do not count.
int CountScheme(const QString& scheme, double value);

// The count rule of a complect row. `value` is FFB, FFH or the side length the condition names.
struct TScaleRule
{
    int Number = 0;
    int Start = 0;
    int Step = 0;
    int Num = 0;
    QString Scheme;
};

enum class TScaleResult { Ok, ZeroStep };

// Count by a scheme or by steps. FFB and FFH are whole numbers; a side length is rounded before
// the step division but compared with the start unrounded, as the catalogue expects. Overflow of
// the integer arithmetic raises TError.
TScaleResult ScaleCount(const TScaleRule& rule, double value, bool roundValue, int& count);
