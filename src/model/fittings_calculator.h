#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "foundation/money.h"

class TokfFurnComp;

// The model asks the selection engine and the catalogue through this interface, so that no model
// header includes the engine and the model's tests can run on a small scripted catalogue. The
// engine registers its implementation at start-up; until then a calculator that knows no
// catalogue is in force (no complect can be calculated, every look-up finds nothing).

// One FrnSide row of a complect, as the side roles need it. Side is the catalogue's 1-based number.
struct TSideRole
{
    int Side = 0;
    int OpenMode = 0;
    int RotSide = 0;
    int Handled = 0;
    int Banded = 0;
    int Drived = 0;
    int HandleDirect = 0;
};

// The Catalog row fields that price an article.
struct TArticlePriceData
{
    TMoney Price;
    int Currency = 0;
    int PriceGrp = 0;
};

// One Currency row: its code and value.
struct TCurrencyRate
{
    int ID = 0;
    double Value = 0;
};

class TFittingsCalculator
{
public:
    virtual ~TFittingsCalculator() = default;

    // Fills the item list of the complect, which the caller has just cleared, through
    // TokfFurnComp::AddItem. The sash, construction and order are reached through the complect's
    // Flugel back reference. Returns true when it ran. Failures are raised as TError with the
    // user's message; the caller then clears the items again.
    virtual bool CalculateComplect(TokfFurnComp& complect) = 0;

    // FrnSide rows whose ID is the complect code, in table order. The table's filter must be
    // removed again on every path.
    virtual QList<TSideRole> SideRoles(const QString& complectId) = 0;
    // FrnComp.Image; 0 when the complect is unknown.
    virtual int ComplectImage(const QString& complectId) = 0;
    // FrnComp.ScrColor; 0xFFFFFF (white) when the complect is unknown.
    virtual int ComplectScreenColor(const QString& complectId) = 0;
    // FrnComp.Name; false and an empty name when the complect is unknown.
    virtual bool TryComplectName(const QString& complectId, QString& name) = 0;

    // Catalog.Virtual = 1 for the article; false for an empty or unknown article.
    virtual bool IsVirtualArticle(const QString& articleId) = 0;
    // Price, Currency and PriceGrp of the Catalog row; nothing when the article is unknown.
    virtual std::optional<TArticlePriceData> ArticlePriceData(const QString& articleId) = 0;
    // Catalog.Name; empty when the article is unknown (no message).
    virtual QString ArticleName(const QString& articleId) = 0;
    // Catalog.MinTrade, the minimum trade quantity; 0 when blank, absent or the article is unknown.
    virtual double ArticleMinTrade(const QString& articleId) = 0;
    // The field Reduce_<column + 1> of the PriceGrp row whose GroupID is the group; nothing when
    // there is no such row.
    virtual std::optional<double> PriceGroupMarkup(int groupId, int column) = 0;
    // Every Currency row in table order, with ID and Value.
    virtual QList<TCurrencyRate> CurrencyRates() = 0;
};

// Installs the engine's calculator (not owned); nullptr restores the one that knows nothing.
void RegisterFittingsCalculator(TFittingsCalculator* calculator);
// The calculator in force; never null.
TFittingsCalculator& FittingsCalculator();

// Installs a calculator for the lifetime of the object and restores the previous one after.
class TFittingsCalculatorScope
{
public:
    explicit TFittingsCalculatorScope(TFittingsCalculator& calculator);
    ~TFittingsCalculatorScope();
    TFittingsCalculatorScope(const TFittingsCalculatorScope&) = delete;
    TFittingsCalculatorScope& operator=(const TFittingsCalculatorScope&) = delete;

private:
    TFittingsCalculator* Previous;
};
