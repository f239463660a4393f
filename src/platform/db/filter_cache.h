#pragma once

#include <QHash>
#include <QString>
#include <memory>

#include "platform/db/filter.h"

// Compiled filters of one table, kept by shape: the text with its literals taken out. The engine
// sets filters that differ only in sizes and codes from one call to the next, so a cache by whole
// text would almost never hit, while binding new values to a known shape costs one pass over the
// text instead of a parse.
class TFilterCache
{
public:
    // Raises TError like TFilter::Compile for a bad text.
    std::shared_ptr<const TFilter> Get(const QString& text, const TTableDef& def);
    // Needed when the table's fields change: shapes hold field numbers.
    void Clear() { Shapes.clear(); }

private:
    QHash<QString, std::shared_ptr<const TFilter>> Shapes;
};
