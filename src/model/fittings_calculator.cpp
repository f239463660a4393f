#include "model/fittings_calculator.h"

#include "foundation/error.h"

namespace {

// In force while no engine is registered: tools that only read and write files need no catalogue.
class TNoCatalogCalculator final : public TFittingsCalculator
{
public:
    bool CalculateComplect(TokfFurnComp&) override
    {
        throw TError(QStringLiteral("Модуль подбора фурнитуры не подключен!"));
    }
    QList<TSideRole> SideRoles(const QString&) override { return {}; }
    int ComplectImage(const QString&) override { return 0; }
    int ComplectScreenColor(const QString&) override { return 0xFFFFFF; }
    bool TryComplectName(const QString&, QString& name) override
    {
        name.clear();
        return false;
    }
    bool IsVirtualArticle(const QString&) override { return false; }
    std::optional<TArticlePriceData> ArticlePriceData(const QString&) override { return std::nullopt; }
    QString ArticleName(const QString&) override { return {}; }
    double ArticleMinTrade(const QString&) override { return 0; }
    std::optional<double> PriceGroupMarkup(int, int) override { return std::nullopt; }
    QList<TCurrencyRate> CurrencyRates() override { return {}; }
};

TNoCatalogCalculator NoCatalog;
TFittingsCalculator* Registered = nullptr;

} // namespace

void RegisterFittingsCalculator(TFittingsCalculator* calculator) { Registered = calculator; }

TFittingsCalculator& FittingsCalculator() { return Registered ? *Registered : NoCatalog; }

TFittingsCalculatorScope::TFittingsCalculatorScope(TFittingsCalculator& calculator) : Previous(Registered)
{
    Registered = &calculator;
}

TFittingsCalculatorScope::~TFittingsCalculatorScope() { Registered = Previous; }
