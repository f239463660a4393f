#pragma once

#include <QString>
#include <QVariant>

#include "foundation/money.h"

// Keyed look-ups of Catalog.DB articles and Currency.DB currencies. Outputs are emptied first;
// the quiet flag suppresses the message of a missing article.

bool LocateArticle(const QString& id);
// Kind 0: the article's own choice (ProdArticle2 when UseArticle is 2), 1: ProdArticle,
// 2: ProdArticle2, other kinds: empty.
QString ProducerArticle(const QString& id, int kind, bool quiet);

struct TArticleInfo
{
    QString ProdArticle;
    QString ProdArticle2;
    QString Name;
    QString Unit;
};
bool ArticleInfo(const QString& id, bool quiet, TArticleInfo& info);
QString ArticleUnit(const QString& id); // always raises for a missing article
QString ArticleName(const QString& id, bool quiet);
// A Catalog column by name; an empty variant for an empty ID or field name or an unknown field.
QVariant ArticleField(const QString& id, const QString& fieldName, bool quiet);
bool IsVirtualArticle(const QString& id);

// What every line asks of its article (the virtual flag, the name, the price), read once per
// article while Catalog.DB stays unchanged; Found is false for an unknown article.
struct TArticleFacts
{
    bool Found = false;
    bool Virtual = false;
    QString Name;
    TMoney Price;
    int Currency = 0;
    int PriceGrp = 0;
};
TArticleFacts ArticleFacts(const QString& id);

struct TCurrencyWords
{
    QString Nominative;
    QString Genitive;
    QString GenitivePlural;
    int Gender = 0;
    int Decimals = 2;
};
QString CurrencyName(int id);
int CurrencyDecimals(int id); // 2 for an unknown currency
// Fills the word forms of a currency; leaves the record as it is when the currency is unknown.
bool CurrencyWords(int id, TCurrencyWords& words);
