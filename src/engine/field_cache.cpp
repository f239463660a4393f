#include "engine/field_cache.h"

#include <QString>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/db/table.h"

namespace {

using TEntries = std::vector<std::pair<const char*, TField*>>;

std::unordered_map<const TTable*, TEntries>& Cache()
{
    static std::unordered_map<const TTable*, TEntries> cache;
    return cache;
}

} // namespace

TField& Field(TTable& table, const char* name)
{
    auto& cache = Cache();
    auto it = cache.find(&table);
    if (it == cache.end()) {
        it = cache.emplace(&table, TEntries()).first;
        const TTable* key = &table;
        QObject::connect(&table, &QObject::destroyed, [key] { Cache().erase(key); });
    }
    for (const auto& [literal, field] : it->second)
        if (literal == name)
            return *field;
    TField& field = table.FieldByName(QString::fromLatin1(name));
    it->second.emplace_back(name, &field);
    return field;
}
