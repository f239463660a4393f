#pragma once

#include <QHash>
#include <QString>
#include <functional>

#include "foundation/error.h"
#include "model/fittings_calculator.h"
#include "model/furn_comp.h"

// A scripted catalogue and engine: the articles, groups, currencies, side tables and complect
// attributes a test needs, and for each main complect the lines its calculation adds.
class TFakeCatalogue final : public TFittingsCalculator
{
public:
    struct TLine
    {
        QString ID;
        double Length = 0;
        int Count = 1;
        int SideNo = 0;
        QString Comment;
    };
    struct TArticle
    {
        TArticlePriceData Price;
        QString Name;
        bool Virtual = false;
        double MinTrade = 0;
    };

    QHash<QString, TArticle> Articles;
    QHash<int, double> Groups;                   // Reduce_1 by group
    QList<TCurrencyRate> Currencies;
    QHash<QString, QList<TSideRole>> Sides;       // FrnSide by complect
    QHash<QString, int> Images;
    QHash<QString, int> Colors;
    QHash<QString, QString> ComplectNames;
    QHash<QString, QList<TLine>> Expansions;      // by main complect
    QString FailingComplect;                      // its calculation raises after adding its lines
    int Calculations = 0;

    TFittingsCalculatorScope Scope{*this};

    void AddArticle(const QString& id, const char* price, int currency = 1, int group = 0, const QString& name = {})
    {
        Articles.insert(id, {{TMoney::Parse(QString::fromLatin1(price)), currency, group}, name, false, 0});
    }

    bool CalculateComplect(TokfFurnComp& complect) override
    {
        ++Calculations;
        for (const TLine& line : Expansions.value(complect.MainComplect))
            complect.AddItem(line.ID, complect.MainComplect, QStringLiteral("история"), false, line.Length,
                             line.Comment, line.Count, line.SideNo);
        if (!FailingComplect.isEmpty() && complect.MainComplect == FailingComplect)
            throw TError(QStringLiteral("Комплект фурнитуры [%1] не найден в документации!").arg(FailingComplect));
        return true;
    }
    QList<TSideRole> SideRoles(const QString& id) override { return Sides.value(id); }
    int ComplectImage(const QString& id) override { return Images.value(id, 0); }
    int ComplectScreenColor(const QString& id) override { return Colors.value(id, 0xFFFFFF); }
    bool TryComplectName(const QString& id, QString& name) override
    {
        name = ComplectNames.value(id);
        return ComplectNames.contains(id);
    }
    bool IsVirtualArticle(const QString& id) override { return Articles.value(id).Virtual; }
    std::optional<TArticlePriceData> ArticlePriceData(const QString& id) override
    {
        if (!Articles.contains(id))
            return std::nullopt;
        return Articles.value(id).Price;
    }
    QString ArticleName(const QString& id) override { return Articles.value(id).Name; }
    double ArticleMinTrade(const QString& id) override { return Articles.value(id).MinTrade; }
    std::optional<double> PriceGroupMarkup(int group, int column) override
    {
        if (column != 0 || !Groups.contains(group))
            return std::nullopt;
        return Groups.value(group);
    }
    QList<TCurrencyRate> CurrencyRates() override { return Currencies; }
};
