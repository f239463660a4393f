#pragma once

#include <QString>

#include "engine/filter_text.h"

// What the engine asks of a fittings element (FrnItem) for every row that names it, read once
// per element while FrnItem.DB stays unchanged; Found is false for an unknown element.
struct TElementFacts
{
    bool Found = false;
    QString Name;
    TElementFlags Flags;
    bool Virtual = false;
    int CommonGroup = 0;
};
TElementFacts ElementFacts(const QString& id);
