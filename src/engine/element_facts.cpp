#include "engine/element_facts.h"

#include "catalog/data_module.h"
#include "engine/catalog_memo.h"
#include "engine/engine_hooks.h"
#include "engine/field_cache.h"

namespace {

bool Flag(TTable& t, const char* name)
{
    return Field(t, name).AsInteger() == 1;
}

TElementFlags ReadFlags(TTable& items)
{
    TElementFlags f;
    f.HasFalzLuft = Flag(items, "HasFalzLuft");
    f.HasFalzSize = Flag(items, "HasFalzSize");
    f.HasFalzPos = Flag(items, "HasFalzPos");
    f.CheckWeight = Flag(items, "CheckWeight");
    f.HasDornMass = Flag(items, "HasDornMass");
    f.CheckThickness = Flag(items, "CheckThickness");
    f.CheckProfWidth = Flag(items, "CheckProfWidth");
    f.HasProfSys = Flag(items, "HasProfSys");
    f.CheckStulpType = Flag(items, "CheckStulpType");
    f.CheckDirect = Flag(items, "CheckDirect");
    f.HasColor = Flag(items, "HasColor");
    return f;
}

} // namespace

TElementFacts ElementFacts(const QString& id)
{
    static TCatalogMemo<TElementFacts> memo;
    TTable& items = EngineCatalog().T_FrnItem;
    return memo.Get(items, id, [&] {
        TElementFacts facts;
        if (!items.Locate(QStringLiteral("ID"), id))
            return facts;
        facts.Found = true;
        facts.Name = Field(items, "Name").AsString();
        facts.Flags = ReadFlags(items);
        facts.Virtual = Field(items, "Virtual").AsInteger() == 1;
        facts.CommonGroup = Field(items, "CommonGrp").AsInteger();
        return facts;
    });
}
