#include "engine/fittings_engine.h"

#include "catalog/data_module.h"
#include "engine/article_lookups.h"
#include "engine/calculate_complect.h"
#include "engine/catalog_memo.h"
#include "engine/engine_hooks.h"
#include "engine/field_cache.h"
#include "engine/filter_guard.h"
#include "engine/filter_text.h"
#include "engine/model_adapter.h"
#include "engine/param_lookups.h"

bool TFittingsEngine::CalculateComplect(TokfFurnComp& complect)
{
    TFurnCompView view(complect);
    return ::CalculateComplect(&view);
}

QList<TSideRole> TFittingsEngine::SideRoles(const QString& complectId)
{
    // Asked for every sash a complect is set on.
    static TCatalogMemo<QList<TSideRole>> memo;
    TTable& sides = EngineCatalog().T_FrnSide;
    return memo.Get(sides, complectId, [&] {
        QList<TSideRole> roles;
        TFilterGuard guard(sides, KeyFilter(QStringLiteral("ID"), complectId, false));
        auto field = [&](const char* name) { return Field(sides, name).AsInteger(); };
        for (sides.First(); !sides.Eof(); sides.Next())
            roles.append(TSideRole{field("Side"), field("OpenMode"), field("RotSide"), field("Handled"),
                                   field("Banded"), field("Drived"), field("HandleDirect")});
        return roles;
    });
}

int TFittingsEngine::ComplectImage(const QString& complectId) { return ::ComplectImage(complectId); }

int TFittingsEngine::ComplectScreenColor(const QString& complectId) { return ::ComplectScreenColor(complectId); }

bool TFittingsEngine::TryComplectName(const QString& complectId, QString& name)
{
    return ::TryComplectName(complectId, name);
}

bool TFittingsEngine::IsVirtualArticle(const QString& articleId) { return ::IsVirtualArticle(articleId); }

std::optional<TArticlePriceData> TFittingsEngine::ArticlePriceData(const QString& articleId)
{
    if (articleId.isEmpty())
        return std::nullopt;
    const TArticleFacts facts = ArticleFacts(articleId);
    if (!facts.Found)
        return std::nullopt;
    return TArticlePriceData{facts.Price, facts.Currency, facts.PriceGrp};
}

QString TFittingsEngine::ArticleName(const QString& articleId) { return ArticleFacts(articleId).Name; }

double TFittingsEngine::ArticleMinTrade(const QString& articleId)
{
    if (articleId.isEmpty() || !LocateArticle(articleId))
        return 0;
    // Older catalogues have no such column; the look-up is rare, so no cached field.
    const TField* field = EngineCatalog().T_Catalog.FindField(QStringLiteral("MinTrade"));
    return field && !field->IsNull() ? field->AsFloat() : 0;
}

std::optional<double> TFittingsEngine::PriceGroupMarkup(int groupId, int column)
{
    TTable& t = EngineCatalog().T_PriceGrp;
    if (!t.Locate(QStringLiteral("GroupID"), groupId))
        return std::nullopt;
    TField* field = t.FindField(QStringLiteral("Reduce_%1").arg(column + 1));
    if (!field)
        return std::nullopt;
    return field->AsFloat();
}

QList<TCurrencyRate> TFittingsEngine::CurrencyRates()
{
    TTable& t = EngineCatalog().T_Currency;
    QList<TCurrencyRate> rates;
    for (t.First(); !t.Eof(); t.Next())
        rates.append(TCurrencyRate{t.FieldByName(QStringLiteral("ID")).AsInteger(), t.FieldByName(QStringLiteral("Value")).AsFloat()});
    return rates;
}

void RegisterFittingsEngine()
{
    static TFittingsEngine engine;
    RegisterFittingsCalculator(&engine);
}
