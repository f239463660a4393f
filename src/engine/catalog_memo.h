#pragma once

#include <QHash>
#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/db/table.h"

// What the engine read from catalogue tables by key, kept while the tables' rows stay as they
// are. Every sash asks again for the same articles, elements and properties; the map of what
// was read is small and warm, where a probe of a large table costs several cache misses and a
// filtered walk a parse and a rebuild. A reload, an edit or another table object drops it all.
template <typename T, typename TKey = QString>
class TCatalogMemo
{
public:
    // The value for key; read() computes it from the tables on first use. A read that raises
    // leaves nothing behind.
    template <typename TRead>
    T Get(std::initializer_list<const TTable*> tables, const TKey& key, TRead read)
    {
        if (!Current(tables)) {
            Values.clear();
            Stamp.clear();
            for (const TTable* t : tables)
                Stamp.emplace_back(t, t->DataVersion());
        }
        if (auto it = Values.constFind(key); it != Values.constEnd())
            return *it;
        T value = read();
        // read() works through the same tables; a change it caused makes the value stale at once.
        if (Current(tables))
            Values.insert(key, value);
        return value;
    }
    template <typename TRead>
    T Get(const TTable& table, const TKey& key, TRead read)
    {
        return Get({&table}, key, read);
    }

private:
    bool Current(std::initializer_list<const TTable*> tables) const
    {
        if (Stamp.size() != tables.size())
            return false;
        size_t i = 0;
        for (const TTable* t : tables) {
            if (Stamp[i].first != t || Stamp[i].second != t->DataVersion())
                return false;
            ++i;
        }
        return true;
    }

    std::vector<std::pair<const TTable*, quint64>> Stamp;
    QHash<TKey, T> Values;
};
