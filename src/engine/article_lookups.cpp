#include "engine/article_lookups.h"

#include "catalog/data_module.h"
#include "engine/catalog_memo.h"
#include "engine/engine_hooks.h"
#include "engine/field_cache.h"
#include "foundation/error.h"

namespace {

TTable& Articles()
{
    return EngineCatalog().T_Catalog;
}

QString Text(TTable& t, const char* name)
{
    return Field(t, name).AsString();
}

[[noreturn]] void Missing(const QString& id, const char* what)
{
    throw TError(QStringLiteral("В каталоге отсутствуют данные для [%1]!\r\n(Поиск [%2] через [Код])")
                     .arg(id, QString::fromUtf8(what)));
}

bool LocateCurrency(int id)
{
    return EngineCatalog().T_Currency.Locate(QStringLiteral("ID"), id);
}

} // namespace

bool LocateArticle(const QString& id)
{
    return Articles().Locate(QStringLiteral("ID"), id);
}

QString ProducerArticle(const QString& id, int kind, bool quiet)
{
    if (!LocateArticle(id)) {
        if (quiet)
            return QString();
        Missing(id, "Артикул производителя");
    }
    TTable& t = Articles();
    switch (kind) {
    case 0:
        return t.FieldByName(QStringLiteral("UseArticle")).AsInteger() == 2 ? Text(t, "ProdArticle2") : Text(t, "ProdArticle");
    case 1:
        return Text(t, "ProdArticle");
    case 2:
        return Text(t, "ProdArticle2");
    default:
        return QString();
    }
}

bool ArticleInfo(const QString& id, bool quiet, TArticleInfo& info)
{
    info = TArticleInfo();
    if (!LocateArticle(id)) {
        if (quiet)
            return false;
        Missing(id, "Артикул производителя");
    }
    TTable& t = Articles();
    info.ProdArticle = Text(t, "ProdArticle");
    info.ProdArticle2 = Text(t, "ProdArticle2");
    info.Name = Text(t, "Name");
    info.Unit = Text(t, "Unit");
    return true;
}

QString ArticleUnit(const QString& id)
{
    if (!LocateArticle(id))
        Missing(id, "Ед.изм");
    return Text(Articles(), "Unit");
}

QString ArticleName(const QString& id, bool quiet)
{
    if (!LocateArticle(id)) {
        if (quiet)
            return QString();
        Missing(id, "Наименование");
    }
    return Text(Articles(), "Name");
}

QVariant ArticleField(const QString& id, const QString& fieldName, bool quiet)
{
    if (id.isEmpty() || fieldName.isEmpty())
        return QVariant();
    if (!LocateArticle(id)) {
        if (quiet)
            return QVariant();
        throw TError(QStringLiteral("В каталоге не найден материал с кодом [%1]!").arg(id));
    }
    TField* field = Articles().FindField(fieldName);
    return field ? field->Value() : QVariant();
}

bool IsVirtualArticle(const QString& id)
{
    if (id.isEmpty())
        return false;
    return ArticleFacts(id).Virtual;
}

TArticleFacts ArticleFacts(const QString& id)
{
    static TCatalogMemo<TArticleFacts> memo;
    TTable& t = Articles();
    return memo.Get(t, id, [&] {
        TArticleFacts facts;
        if (!LocateArticle(id))
            return facts;
        facts.Found = true;
        facts.Virtual = Field(t, "Virtual").AsInteger() == 1;
        facts.Name = Text(t, "Name");
        facts.Price = Field(t, "Price").AsCurrency();
        facts.Currency = Field(t, "Currency").AsInteger();
        facts.PriceGrp = Field(t, "PriceGrp").AsInteger();
        return facts;
    });
}

QString CurrencyName(int id)
{
    return LocateCurrency(id) ? Text(EngineCatalog().T_Currency, "Name") : QString();
}

int CurrencyDecimals(int id)
{
    return LocateCurrency(id) ? EngineCatalog().T_Currency.FieldByName(QStringLiteral("Dec")).AsInteger() : 2;
}

bool CurrencyWords(int id, TCurrencyWords& words)
{
    if (!LocateCurrency(id))
        return false;
    TTable& t = EngineCatalog().T_Currency;
    words.Nominative = Text(t, "Nominative");
    words.Genitive = Text(t, "Genitive");
    words.GenitivePlural = Text(t, "GenitivePlural");
    words.Gender = t.FieldByName(QStringLiteral("Gender")).AsInteger();
    words.Decimals = t.FieldByName(QStringLiteral("Dec")).AsInteger();
    return true;
}
