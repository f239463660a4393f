#pragma once

#include <QString>

#include "engine/selection_params.h"

class TEngineSash;

// What one complect expansion needs besides the complect code and slot.
struct TExpansionContext
{
    int FFB = 0; // centimetres
    int FFH = 0;
    bool UserHandleHeight = false; // the main complect's flag; false for every other call
    int Direction = 0;
    int MullionType = 0;
    double ProfWidth = 100;
    QString OuterColor;
    QString InnerColor;
    QString DecorColor;
    TSelectionParams Params;
    TEngineSash* Sash = nullptr;
    TEngineSash* Adjacent = nullptr; // may be none
};

// Walks the FrnSet rows of a complect, keeps the rows whose conditions the sash meets, and adds
// their articles (and the parts of composite elements) to the sash's complect.
void ExpandComplect(const QString& complectId, int slot, const TExpansionContext& context);

// Adds the parts of a composite element, `count` pieces of it, one level deep.
void ExpandComposite(const TExpansionContext& context, const QString& parentElement, const QString& complectId,
                     int count, int slot, int sideNo);
