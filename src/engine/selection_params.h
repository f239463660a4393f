#pragma once

#include <QtGlobal>

// The sash values against which the catalogue is filtered, resolved once per complect calculation
// and handed by reference through expansion and article matching.
struct TSelectionParams
{
    float ProfWidth = 0; // carried only; the matching is given its own profile width
    float Thickness = 0;
    qint32 FalzLuft = 0;
    qint32 FalzSize = 0;
    qint32 FalzPos = 0;
    float DornMass = 0;
    quint8 OpenType = 0;
};
