#include "model/pricing.h"

#include "config/setup.h"
#include "foundation/error.h"
#include "foundation/geometry.h"
#include "model/currency_list.h"
#include "model/fittings_calculator.h"

namespace {

// Used while no settings object exists (command-line tools, tests).
TPricingContext Standalone;

double CheckedRate(const TokfCurrencyList* snapshot, int currency)
{
    const double rate = RateOf(snapshot, currency);
    // A rate of -1 would turn into a negative price that nobody notices on a long list.
    if (rate < 0)
        throw TError(QStringLiteral("В снимке курсов валют нет валюты [%1]!").arg(currency));
    return rate;
}

} // namespace

TPricingContext PricingContext()
{
    if (!HasSetup())
        return Standalone;
    const TokfSetup& setup = Setup();
    return {setup.ActiveCurrency, setup.ActiveNDS, setup.ActiveCurrencies};
}

void SetPricingContext(const TPricingContext& context)
{
    if (!HasSetup()) {
        Standalone = context;
        return;
    }
    TokfSetup& setup = Setup();
    setup.ActiveCurrency = context.Currency;
    setup.ActiveNDS = context.NDSTax;
    setup.ActiveCurrencies = context.Rates;
}

void TakeSnapshot(TokfCurrencyList& snapshot)
{
    snapshot.Clear();
    for (const TCurrencyRate& rate : FittingsCalculator().CurrencyRates())
        snapshot.Add({rate.ID, static_cast<float>(rate.Value)});
}

double RateOf(const TokfCurrencyList* snapshot, int currency)
{
    if (!snapshot)
        return 0;
    const int index = IndexOfCurrency(snapshot, currency);
    return index < 0 ? -1 : static_cast<double>(snapshot->Item(index).Rate);
}

int IndexOfCurrency(const TokfCurrencyList* snapshot, int currency)
{
    if (!snapshot)
        return -1;
    for (int i = 0; i < snapshot->Count(); ++i)
        if (snapshot->Item(i).ID == currency)
            return i;
    return -1;
}

TMoney ConvertPrice(TMoney amount, int sourceCurrency, double currentRate)
{
    if (currentRate == 0)
        throw TError(QStringLiteral("Значение текущей валюты = 0!"));
    const double sourceRate = CheckedRate(PricingContext().Rates, sourceCurrency);
    return TMoney::FromDouble(amount.ToLongDouble() * static_cast<long double>(sourceRate)
                              / static_cast<long double>(currentRate));
}

double PriceGroupMarkup(int group, int column)
{
    const std::optional<double> markup = FittingsCalculator().PriceGroupMarkup(group, column);
    if (!markup)
        throw TError(QStringLiteral("В каталоге ценовых групп отсутствуют данные для группы [%1]!").arg(group));
    return *markup;
}

TMoney ArticlePrice(const QString& articleId, bool quiet)
{
    const TPricingContext context = PricingContext();
    const double rate = RateOf(context.Rates, context.Currency);
    if (rate < 0)
        CheckedRate(context.Rates, context.Currency);
    const double currentRate = RoundTo(rate, 4);

    const std::optional<TArticlePriceData> article = FittingsCalculator().ArticlePriceData(articleId);
    if (!article) {
        if (quiet)
            return {};
        throw TError(QStringLiteral("В каталоге отсутствуют данные для [%1]!\r\n(Поиск [Наименование] через [Код])")
                         .arg(articleId));
    }
    const TMoney price = ConvertPrice(article->Price, article->Currency, currentRate);
    const double markup = article->PriceGrp != 0 ? RoundTo(PriceGroupMarkup(article->PriceGrp, 0), 4) : 0.0;
    return TMoney::FromDouble(price.ToLongDouble() * (1.0L + static_cast<long double>(markup) / 100.0L));
}
