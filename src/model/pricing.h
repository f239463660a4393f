#pragma once

#include <QString>

#include "foundation/money.h"

class TokfCurrencyList;

// The pricing context: the currency and the snapshot of the document whose window is active.
// Every price is computed against it.
struct TPricingContext
{
    int Currency = 0;
    float NDSTax = 0;
    const TokfCurrencyList* Rates = nullptr; // not owned
};

// The context in force.
TPricingContext PricingContext();
// Points the context at a document's currency, VAT rate and snapshot (the window that becomes
// active does this).
void SetPricingContext(const TPricingContext& context);

// Replaces the snapshot's entries by the catalogue's currency table, in table order.
void TakeSnapshot(TokfCurrencyList& snapshot);
// Rate of the first entry with the code; -1 when there is none, 0 without a list.
double RateOf(const TokfCurrencyList* snapshot, int currency);
int IndexOfCurrency(const TokfCurrencyList* snapshot, int currency);
// amount x rate of the source currency in the context snapshot / current rate, four decimals.
// Raises on a current rate of 0 and on a source currency missing from the snapshot.
TMoney ConvertPrice(TMoney amount, int sourceCurrency, double currentRate);
// The markup column Reduce_<column + 1> of a price group; raises when the group does not exist.
double PriceGroupMarkup(int group, int column);
// The article's catalogue price in the context currency with its price group's markup.
// An article missing from the catalogue raises, or prices 0 when quiet.
TMoney ArticlePrice(const QString& articleId, bool quiet);
