#include "engine/complect_rows.h"

#include "catalog/data_module.h"
#include "engine/catalog_memo.h"
#include "engine/engine_hooks.h"
#include "engine/field_cache.h"
#include "engine/filter_guard.h"
#include "engine/filter_text.h"

namespace {

TComplectRow ReadRow(TTable& set)
{
    auto i = [&](const char* name) { return Field(set, name).AsInteger(); };
    auto r = [&](const char* name) { return Field(set, name).AsFloat(); };
    auto t = [&](const char* name) { return Field(set, name).AsString(); };
    TComplectRow row;
    row.Item = t("Item");
    row.UseIfArt = t("UseIfArt");
    row.ScaleScheme = t("ScaleScheme");
    row.LenFormula = t("LenFormula");
    row.Note = t("Note");
    row.AlertIfNoArt = t("AlertIfNoArt");
    row.PropKey = i("PropKey");
    row.FFBMin = i("FFBMin");
    row.FFBMax = i("FFBMax");
    row.FFHMin = i("FFHMin");
    row.FFHMax = i("FFHMax");
    row.L1 = {i("FFL1No"), r("FFL1Min"), r("FFL1Max"), 0};
    row.L2 = {i("FFL2No"), r("FFL2Min"), r("FFL2Max"), 0};
    row.R1 = {i("FFR1No"), r("FFR1Min"), r("FFR1Max"), i("FFR1Type")};
    row.R2 = {i("FFR2No"), r("FFR2Min"), r("FFR2Max"), i("FFR2Type")};
    row.Angle = {i("FFANo"), r("FFAMin"), r("FFAMax"), 0};
    row.L21 = {i("FFL21No"), r("FFL21Min"), r("FFL21Max"), 0};
    row.L22 = {i("FFL22No"), r("FFL22Min"), r("FFL22Max"), 0};
    row.StulpType = i("StulpType");
    row.Condition = i("Condition");
    row.Side1No = i("Side1No");
    row.Side2No = i("Side2No");
    row.AngleNo = i("AngleNo");
    row.ColorCondition = i("ColorCondition");
    row.Number = i("Number");
    row.ScaleStart = i("ScaleStart");
    row.ScaleStep = i("ScaleStep");
    row.ScaleNum = i("ScaleNum");
    row.ScaleCondition = i("ScaleCondition");
    row.UseLen = i("UseLen");
    row.MinLen = i("MinLen");
    row.ItemSideNo = i("ItemSideNo");
    row.HandleSideNo = i("HandleSideNo");
    row.Required = i("Required");
    row.DefineHandleHeight = i("DefineHandleHeight");
    return row;
}

} // namespace

TComplectRows ComplectRows(const QString& complectId)
{
    static TCatalogMemo<TComplectRows> memo;
    TTable& set = EngineCatalog().T_FrnSet;
    return memo.Get(set, complectId, [&] {
        auto rows = std::make_shared<std::vector<TComplectRow>>();
        TFilterGuard guard(set, KeyFilter(QStringLiteral("ID"), complectId, true));
        rows->reserve(static_cast<size_t>(set.RecordCount()));
        for (set.First(); !set.Eof(); set.Next())
            rows->push_back(ReadRow(set));
        return TComplectRows(std::move(rows));
    });
}
