#include "engine/calculate_complect.h"

#include <climits>

#include "catalog/data_module.h"
#include "engine/catalog_memo.h"
#include "engine/engine_hooks.h"
#include "engine/element_facts.h"
#include "engine/engine_sash.h"
#include "engine/expand_complect.h"
#include "engine/field_cache.h"
#include "engine/filter_guard.h"
#include "engine/match_article.h"
#include "engine/param_lookups.h"
#include "engine/rules.h"
#include "foundation/error.h"

namespace {

int Pieces(int number, int count)
{
    const long long n = static_cast<long long>(number) * count;
    if (n < INT_MIN || n > INT_MAX)
        throw TError(QStringLiteral("Integer overflow"));
    return static_cast<int>(n);
}

int IntOf(TTable& t, const char* name)
{
    return Field(t, name).AsInteger();
}

QString TextOf(TTable& t, const char* name)
{
    return Field(t, name).AsString();
}

// The keeper's element belongs to the complect's fittings system: a common group that is a
// whole hundred covers the systems of that hundred, any other group exactly one system.
bool SystemRuleAdmits(const QString& keeperElement, const QString& furnSys)
{
    const TElementFacts facts = ElementFacts(keeperElement);
    if (!facts.Found)
        return true;
    const int group = facts.CommonGroup;
    if (group == 0)
        return true;
    bool ok = false;
    int n = furnSys.trimmed().toInt(&ok);
    if (!ok)
        n = group;
    if (group % 100 != 0)
        return group == n;
    return n / 100 * 100 == group;
}

// Which of the keeper, colour-accessory and accessory tables list an article. Each pass over
// a sash's items asks it for every item, and most articles are in none of them.
struct TAttached
{
    bool Keepers = false;
    bool ColorAccessories = false;
    bool Accessories = false;
};

TAttached Attached(const QString& article)
{
    static TCatalogMemo<TAttached> memo;
    TDM& dm = EngineCatalog();
    return memo.Get({&dm.T_FrnSchl, &dm.T_FrnAbd, &dm.T_FrnDop}, article, [&] {
        const QString key = QStringLiteral("CatalogID");
        return TAttached{HasRow(dm.T_FrnSchl, key, article), HasRow(dm.T_FrnAbd, key, article),
                         HasRow(dm.T_FrnDop, key, article)};
    });
}

struct TPassContext
{
    TEngineComplect& Complect;
    int Direction;
    int MullionType;
    TSelectionParams Params;
};

void AddKeepers(TPassContext& c)
{
    TDM& dm = EngineCatalog();
    TTable& keepers = dm.T_FrnSchl;
    TEngineSash& sash = c.Complect.Sash();
    const bool debug = EngineDebugMode();
    const int n = c.Complect.ItemCount();
    for (int i = 0; i < n; ++i) {
        const TEngineItem item = c.Complect.Item(i);
        if (!Attached(item.ID).Keepers)
            continue;
        TFilterGuard guard(keepers, KeeperFilter(item.ID, c.MullionType, item.SideNo, item.ParentComplect));
        for (keepers.First(); !keepers.Eof(); keepers.Next()) {
            if (!PropKeyAllowed(IntOf(keepers, "PropKey"), sash.Properties(), 0))
                continue;
            const QString element = TextOf(keepers, "Item");
            if (!SystemRuleAdmits(element, c.Complect.FurnSys()))
                continue;
            const int number = IntOf(keepers, "Number");
            TArticleRequest request;
            request.Query.ElementId = element;
            request.Query.KeeperSystem = sash.KeeperSystem();
            request.Query.Direction = c.Direction;
            request.Query.MullionType = c.MullionType;
            request.Query.ProfWidth = 0;
            request.Query.Params = c.Params;
            request.OwnerName = QStringLiteral("Подбор ответных планок");
            request.Required = true;
            TArticleMatch match;
            if (MatchArticle(request, match))
                sash.AddItem(match.Article, item.ParentComplect,
                             debug ? QStringLiteral("%1 -> Элемент:%2 -> Артикул:%3").arg(item.History, element, match.Article)
                                   : QString(),
                             debug, 0, item.Comment, Pieces(number, item.Count), item.SideNo);
        }
    }
}

void AddAccessoryRows(TTable& table, const TEngineItem& item, TEngineSash& sash, bool checkProps)
{
    const bool debug = EngineDebugMode();
    for (table.First(); !table.Eof(); table.Next()) {
        if (checkProps && !PropKeyAllowed(IntOf(table, "PropKey"), sash.Properties(), 0))
            continue;
        const QString accessory = TextOf(table, "AccessoryID");
        sash.AddItem(accessory, item.ParentComplect,
                     debug ? QStringLiteral("%1 -> Артикул:%2").arg(item.History, accessory) : QString(), debug, 0,
                     item.Comment, Pieces(IntOf(table, "Number"), item.Count), item.SideNo);
    }
}

void AddColorAccessories(TPassContext& c)
{
    TTable& table = EngineCatalog().T_FrnAbd;
    TEngineSash& sash = c.Complect.Sash();
    const QString color = c.Complect.Color();
    const int n = c.Complect.ItemCount();
    for (int i = 0; i < n; ++i) {
        const TEngineItem item = c.Complect.Item(i);
        if (!Attached(item.ID).ColorAccessories)
            continue;
        TFilterGuard guard(table, ColorAccessoryFilter(item.ID, color, item.SideNo));
        if (table.RecordCount() == 0)
            guard.Change(ColorAccessoryFilter(item.ID, QString(), item.SideNo));
        AddAccessoryRows(table, item, sash, false);
    }
}

void AddAccessories(TPassContext& c)
{
    TTable& table = EngineCatalog().T_FrnDop;
    TEngineSash& sash = c.Complect.Sash();
    const int n = c.Complect.ItemCount();
    for (int i = 0; i < n; ++i) {
        const TEngineItem item = c.Complect.Item(i);
        if (!Attached(item.ID).Accessories)
            continue;
        TFilterGuard guard(table, KeeperFilter(item.ID, c.MullionType, item.SideNo, item.ParentComplect));
        AddAccessoryRows(table, item, sash, true);
    }
}

} // namespace

bool CalculateComplect(TEngineComplect* complect)
{
    if (!complect)
        return false;
    TEngineSash& sash = complect->Sash();
    TExpansionContext context;
    context.Sash = &sash;
    context.Adjacent = complect->Arrangement() < 2 ? sash.Adjacent() : nullptr;
    context.Params = ResolveSelectionParams(*complect);

    const QString main = complect->SlotComplect(0);
    TTable& comps = EngineCatalog().T_FrnComp;
    if (!comps.Locate(QStringLiteral("ID"), main))
        throw TError(QStringLiteral("Комплект фурнитуры [%1] не найден в документации!").arg(main));
    context.Direction = static_cast<quint8>(IntOf(comps, "Direct"));
    context.ProfWidth = 100;
    context.OuterColor = complect->OuterColor();
    context.InnerColor = complect->InnerColor();
    context.DecorColor = complect->Color();
    context.MullionType = ResolveMullionType(*complect);
    int width = 0, height = 0;
    sash.FalzSize(width, height);
    context.FFB = MillimetresToCentimetres(width);
    context.FFH = MillimetresToCentimetres(height);

    bool first = true;
    auto expand = [&](const QString& code, int slot) {
        context.UserHandleHeight = first && complect->UserHeightSet();
        first = false;
        ExpandComplect(code, slot, context);
    };
    for (int slot = 0; slot < 7; ++slot) {
        const QString code = complect->SlotComplect(slot);
        if (!code.isEmpty())
            expand(code, slot);
        else if (slot == 0)
            first = false;
    }
    for (const QString& extra : complect->ExtraComplects())
        if (!extra.isEmpty())
            expand(extra, 0);

    TPassContext pass{*complect, context.Direction, context.MullionType, context.Params};
    AddKeepers(pass);
    AddColorAccessories(pass);
    AddAccessories(pass);
    complect->DropEmptyAndSort();
    return true;
}

bool ComplectFitsSash(const TEngineSash& sash, const QString& complectId)
{
    TTable& sides = EngineCatalog().T_FrnSide;
    TFilterGuard guard(sides, KeyFilter(QStringLiteral("ID"), complectId, false));
    const int n = sash.SideCount();
    if (sides.RecordCount() != n)
        return false;
    for (sides.First(); !sides.Eof(); sides.Next()) {
        const int i = IntOf(sides, "Side") - 1;
        if (i < 0 || i >= n)
            return false;
        const int l = RoundHalfAway(sash.SideLength(i));
        const int r = RoundHalfAway(sash.Radius1(i) / 10.0);
        const double a = sash.CornerAngle(i);
        auto real = [&](const char* name) { return Field(sides, name).AsFloat(); };
        if (!(IntOf(sides, "MinSize") <= l && l <= IntOf(sides, "MaxSize")))
            return false;
        if (!(real("MinAngle") <= a && a <= real("MaxAngle")))
            return false;
        if (!(IntOf(sides, "MinRadius") <= r && r <= IntOf(sides, "MaxRadius")))
            return false;
        if (sash.IsFullArc(i) && IntOf(sides, "FullRadius") == 0)
            return false;
        if (sash.IsPartialArc(i) && IntOf(sides, "HalfRadius") == 0)
            return false;
        if (sash.IsElliptic(i) && IntOf(sides, "EllipseRadius") == 0)
            return false;
    }
    return true;
}
