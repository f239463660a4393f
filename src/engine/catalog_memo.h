#pragma once

#include <QHash>
#include <QString>

#include "platform/db/table.h"

// What the engine read from one catalogue table by key, kept while the table's rows stay as they
// are. Every sash asks again for the same articles, elements and properties; the map of what
// was read is small and warm, where a probe of a large table costs several cache misses and a
// filtered walk a parse and a rebuild. A reload, an edit or another table object drops it all.
template <typename T, typename TKey = QString>
class TCatalogMemo
{
public:
    // The value for key; read() computes it from the table on first use. A read that raises
    // leaves nothing behind.
    template <typename TRead>
    T Get(TTable& table, const TKey& key, TRead read)
    {
        if (&table != Table || table.DataVersion() != Version) {
            Values.clear();
            Table = &table;
            Version = table.DataVersion();
        }
        if (auto it = Values.constFind(key); it != Values.constEnd())
            return *it;
        T value = read();
        // read() works through the same table; a change it caused makes the value stale at once.
        if (table.DataVersion() == Version)
            Values.insert(key, value);
        return value;
    }

private:
    const TTable* Table = nullptr;
    quint64 Version = 0;
    QHash<TKey, T> Values;
};
