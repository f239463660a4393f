#pragma once

#include "model/fittings_calculator.h"

// The selection engine as the model reaches it: complect calculation over the catalogue data
// module, the side roles, complect attributes and the article and currency data of pricing.
class TFittingsEngine final : public TFittingsCalculator
{
public:
    bool CalculateComplect(TokfFurnComp& complect) override;
    QList<TSideRole> SideRoles(const QString& complectId) override;
    int ComplectImage(const QString& complectId) override;
    int ComplectScreenColor(const QString& complectId) override;
    bool TryComplectName(const QString& complectId, QString& name) override;
    bool IsVirtualArticle(const QString& articleId) override;
    std::optional<TArticlePriceData> ArticlePriceData(const QString& articleId) override;
    QString ArticleName(const QString& articleId) override;
    double ArticleMinTrade(const QString& articleId) override;
    std::optional<double> PriceGroupMarkup(int groupId, int column) override;
    QList<TCurrencyRate> CurrencyRates() override;
};

// Registers the engine with the model for the rest of the process (start-up and tools).
void RegisterFittingsEngine();
