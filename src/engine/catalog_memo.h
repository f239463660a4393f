#pragma once

#include <QHash>
#include <QString>
#include <initializer_list>
#include <vector>

#include "platform/db/table.h"

// What the engine read from catalogue tables by key, kept while the tables' rows stay as they
// are. Every sash asks again for the same articles, elements and properties; the map of what
// was read is small and warm, where a probe of a large table costs several cache misses and a
// filtered walk a parse and a rebuild. A reload, an edit, another filter left on a table or
// another table object drops it all.
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
                Stamp.push_back({t, t->DataVersion(), ViewFilter(*t), t->BaseFilter()});
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
            const TStamp& stamp = Stamp[i];
            if (stamp.Table != t || stamp.Version != t->DataVersion() || stamp.Filter != ViewFilter(*t) ||
                stamp.BaseFilter != t->BaseFilter())
                return false;
            ++i;
        }
        return true;
    }

    // Some reads locate among the visible rows, so a filter someone else left on a table (a
    // catalogue window, say) belongs to the state the values were read in.
    static QString ViewFilter(const TTable& t) { return t.Filtered() ? t.Filter() : QString(); }

    struct TStamp
    {
        const TTable* Table;
        quint64 Version;
        QString Filter;
        QString BaseFilter;
    };
    std::vector<TStamp> Stamp;
    QHash<TKey, T> Values;
};
