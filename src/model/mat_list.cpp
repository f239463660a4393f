#include "model/mat_list.h"

#include <QHash>
#include <cmath>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/typed_stream.h"
#include "model/fittings_calculator.h"
#include "model/pricing.h"
#include "model/stored_reader.h"
#include "model/versions.h"

namespace {
constexpr int MatLineBytes = 4 + 6 * 16;
}

void TokfMatListItem::Write(TSpecStream& stream) const
{
    stream.WriteString(ID);
    stream.WriteDouble(Quantity);
    stream.WriteCurrency(ListPrice);
    stream.WriteDouble(Reserved1);
    stream.WriteCurrency(Reserved2);
    stream.WriteCurrency(Price);
    stream.WriteCurrency(Cost);
}

void TokfMatListItem::Read(TSpecStream& stream, const QString&)
{
    TStoredReader in(stream);
    ID = in.String();
    Quantity = in.Single();
    ListPrice = in.Currency();
    Reserved1 = in.Single();
    Reserved2 = in.Currency();
    Price = in.Currency();
    Cost = in.Currency();
}

void TokfMatList::Write(TSpecStream& stream) const
{
    stream.WriteInteger(Count());
    for (const TokfMatListItem& line : Lines)
        line.Write(stream);
}

void TokfMatList::Read(TSpecStream& stream, const QString& version)
{
    Lines.clear();
    const int count = TStoredReader(stream).Count(MatLineBytes);
    Lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        Lines.emplace_back().Read(stream, version);
}

TMoney MatListCost(const TokfMatList& list)
{
    TMoney sum;
    for (const TokfMatListItem& line : list)
        sum += line.Cost;
    return sum;
}

TokfMatListItem* FindLine(TokfMatList& list, const TokfMatListItem& line)
{
    for (TokfMatListItem& candidate : list)
        if (candidate.ID == line.ID)
            return &candidate;
    return nullptr;
}

void MergeMatList(TokfMatList& target, const TokfMatList& source, int n)
{
    for (const TokfMatListItem& line : source) {
        TokfMatListItem* merged = FindLine(target, line);
        if (merged)
            merged->Quantity = static_cast<float>(static_cast<double>(merged->Quantity)
                                                  + static_cast<double>(line.Quantity) * n);
        else {
            merged = &target.Add(line);
            merged->Quantity = static_cast<float>(static_cast<double>(line.Quantity) * n);
        }
        merged->Cost = merged->Price * static_cast<long double>(merged->Quantity);
    }
}

void CopyLine(TokfMatListItem& target, const TokfMatListItem& source)
{
    try {
        CopyThroughStream([&](TSpecStream& s) { source.Write(s); },
                          [&](TSpecStream& s) { target.Read(s, OrderFormatVersion()); });
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("Ошибка копирования материала!\r\n(%1)").arg(ErrorText(e)));
    }
}

void RepriceList(TokfMatList& list)
{
    for (TokfMatListItem& line : list) {
        line.Price = ArticlePrice(line.ID, false);
        line.ListPrice = line.Price;
        line.Cost = line.Price * static_cast<long double>(line.Quantity);
    }
}

float RoundUpToMinTrade(float quantity, double minTrade)
{
    if (!(minTrade > 0) || !(quantity > 0))
        return quantity;
    const double q = static_cast<double>(quantity);
    const double multiples = q / minTrade;
    // Quantities are singles: 0.3 m is not exactly 3 x 0.1, and must not become 0.4.
    if (std::abs(q - std::round(multiples) * minTrade) < 0.0001)
        return quantity;
    return static_cast<float>(std::ceil(multiples) * minTrade);
}

void RoundToMinTrade(TokfMatList& list)
{
    TFittingsCalculator& catalogue = FittingsCalculator();
    for (TokfMatListItem& line : list) {
        const float rounded = RoundUpToMinTrade(line.Quantity, catalogue.ArticleMinTrade(line.ID));
        if (rounded == line.Quantity)
            continue;
        line.Quantity = rounded;
        line.Cost = line.Price * static_cast<long double>(line.Quantity);
    }
}

int CompareById(const TokfMatListItem& a, const TokfMatListItem& b) { return CompareCp1251(a.ID, b.ID); }

int CompareByName(const TokfMatListItem& a, const TokfMatListItem& b)
{
    TFittingsCalculator& catalogue = FittingsCalculator();
    return CompareCp1251(catalogue.ArticleName(a.ID), catalogue.ArticleName(b.ID));
}

void SortById(TokfMatList& list)
{
    list.Sort([](const TokfMatListItem& a, const TokfMatListItem& b) { return CompareById(a, b) < 0; });
}

void SortByName(TokfMatList& list)
{
    // Each name is looked up once rather than at every comparison.
    TFittingsCalculator& catalogue = FittingsCalculator();
    QHash<QString, QString> names;
    for (const TokfMatListItem& line : list)
        if (!names.contains(line.ID))
            names.insert(line.ID, catalogue.ArticleName(line.ID));
    list.Sort([&](const TokfMatListItem& a, const TokfMatListItem& b) {
        return CompareCp1251(names.value(a.ID), names.value(b.ID)) < 0;
    });
}
