#include <gtest/gtest.h>

#include "fake_catalogue.h"
#include "model_fixtures.h"
#include "support/scripted_messages.h"

namespace {

TMoney M(const char* text) { return TMoney::Parse(QString::fromLatin1(text)); }

class Pricing : public ::testing::Test
{
protected:
    Pricing()
    {
        catalogue.Currencies = {{1, 1.0}, {2, 2.0}, {3, 0.0}};
        TakeSnapshot(rates);
        catalogue.Groups.insert(7, -5);
        catalogue.Groups.insert(8, 12.34567);
        catalogue.AddArticle(QStringLiteral("A"), "10.00", 2, 7, QStringLiteral("Петля"));
        catalogue.AddArticle(QStringLiteral("B"), "3.3333", 1, 0, QStringLiteral("Акант"));
        catalogue.AddArticle(QStringLiteral("ROD"), "4", 1, 0, QStringLiteral("Штанга"));
        catalogue.AddArticle(QStringLiteral("G"), "1", 1, 99);
        catalogue.AddArticle(QStringLiteral("X"), "1", 5);
    }

    TFakeCatalogue catalogue;
    TokfCurrencyList rates;
    TPricingScope scope{1, rates};
};

TokfMatListItem Line(const char* id, float quantity, const char* price)
{
    TokfMatListItem line;
    line.ID = QString::fromLatin1(id);
    line.Quantity = quantity;
    line.Price = line.ListPrice = M(price);
    line.Cost = line.Price * static_cast<long double>(quantity);
    return line;
}

} // namespace

TEST_F(Pricing, SnapshotAndRates)
{
    ASSERT_EQ(rates.Count(), 3);
    EXPECT_EQ(rates.Item(1).ID, 2);
    EXPECT_EQ(RateOf(&rates, 2), 2.0);
    EXPECT_EQ(RateOf(&rates, 9), -1);
    EXPECT_EQ(RateOf(nullptr, 2), 0);
    EXPECT_EQ(IndexOfCurrency(&rates, 3), 2);
    EXPECT_EQ(IndexOfCurrency(nullptr, 3), -1);
}

TEST_F(Pricing, ArticlePriceConvertsAndMarksUp)
{
    EXPECT_EQ(ArticlePrice(QStringLiteral("A"), false), M("19.0000")); // 10 x 2 / 1, less 5 %
    EXPECT_EQ(ArticlePrice(QStringLiteral("B"), false), M("3.3333"));
    {
        TPricingScope euro(2, rates);
        EXPECT_EQ(ArticlePrice(QStringLiteral("B"), false), M("1.6666")); // 1.66665 to even
    }
    EXPECT_EQ(ArticlePrice(QStringLiteral("NONE"), true), TMoney());
    try {
        ArticlePrice(QStringLiteral("NONE"), false);
        FAIL();
    } catch (const TError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("В каталоге отсутствуют данные для [NONE]!\r\n(Поиск [Наименование] через [Код])"));
    }
    struct
    {
        int Currency;
        const char* Article;
        const char16_t* Message;
    } failures[] = {
        {1, "G", u"В каталоге ценовых групп отсутствуют данные для группы [99]!"},
        {3, "B", u"Значение текущей валюты = 0!"},
        {9, "B", u"В снимке курсов валют нет валюты [9]!"},
        {1, "X", u"В снимке курсов валют нет валюты [5]!"},
    };
    for (const auto& f : failures) {
        TPricingScope context(f.Currency, rates);
        try {
            ArticlePrice(QString::fromLatin1(f.Article), false);
            ADD_FAILURE() << f.Article;
        } catch (const TError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf16(f.Message));
        }
    }
}

TEST_F(Pricing, SashListFromItems)
{
    TokfConstruction c;
    c.BuildOutline({1000, 1400, 0, 0, 0, 0, 0}, 0);
    c.Number = 3;
    TokfFurnComp& comp = *(c.Flugel1.Complect = std::make_unique<TokfFurnComp>(&c.Flugel1));
    comp.AppendItem().Set(QStringLiteral("ROD"), {}, {}, 1250, {}, 2, 1);
    comp.AppendItem().Set(QStringLiteral("B"), {}, {}, 0, {}, 4, 0);
    comp.AppendItem().Set(QStringLiteral("B"), {}, {}, 0, {}, 1, 2);
    c.RecalcPrice();
    const TokfMatList& list = c.Flugel1.MatList;
    ASSERT_EQ(list.Count(), 3); // one line per item
    EXPECT_EQ(list.Line(0).Quantity, 2.5f);
    EXPECT_EQ(list.Line(0).Cost, M("10"));
    EXPECT_EQ(list.Line(1).Quantity, 4.0f);
    EXPECT_EQ(list.Line(1).Cost, M("13.3332"));
    EXPECT_EQ(list.Line(1).ListPrice, list.Line(1).Price);
    EXPECT_EQ(c.Price, M("26.6665"));
    EXPECT_EQ(c.Cost(), M("79.9995"));

    TokfMatList position;
    c.AddToMatList(position);
    ASSERT_EQ(position.Count(), 2); // matched by article alone
    EXPECT_EQ(position.Line(0).Quantity, 7.5f);
    EXPECT_EQ(position.Line(0).Cost, M("30"));
    EXPECT_EQ(position.Line(1).Quantity, 15.0f);
    EXPECT_EQ(position.Line(1).Cost, M("49.9995"));

    comp.AppendItem().Set(QStringLiteral("NONE"), {}, {}, 0, {}, 1, 0);
    EXPECT_THROW(c.RecalcPrice(), TError);
}

TEST_F(Pricing, MergeSortAndReprice)
{
    TokfMatList a, b;
    a.Add(Line("A", 1, "5"));
    b.Add(Line("B", 1, "1"));
    b.Add(Line("A", 1, "5"));
    TokfMatList total;
    MergeMatList(total, a, 2);
    MergeMatList(total, b, 5);
    ASSERT_EQ(total.Count(), 2);
    EXPECT_EQ(total.Line(0).ID, QStringLiteral("A"));
    EXPECT_EQ(total.Line(0).Quantity, 7.0f);
    EXPECT_EQ(total.Line(0).Cost, M("35"));
    EXPECT_EQ(MatListCost(total), M("40"));
    EXPECT_EQ(FindLine(total, Line("B", 0, "0")), &total.Line(1));
    EXPECT_EQ(FindLine(total, Line("Z", 0, "0")), nullptr);

    SortById(total);
    EXPECT_EQ(total.Line(0).ID, QStringLiteral("A"));
    SortByName(total); // "Акант" before "Петля"
    EXPECT_EQ(total.Line(0).ID, QStringLiteral("B"));
    EXPECT_LT(CompareByName(Line("NONE", 0, "0"), Line("B", 0, "0")), 0); // empty name first

    RepriceList(total);
    EXPECT_EQ(total.Line(1).Price, M("19"));
    EXPECT_EQ(total.Line(1).Cost, M("133"));

    TokfMatListItem copy;
    CopyLine(copy, total.Line(1));
    EXPECT_EQ(copy, total.Line(1));
}

TEST_F(Pricing, OrderTotalsWithVat)
{
    TokfOrder order;
    TokfConstruction& first = order.AddPosition();
    first.Number = 1;
    first.Price = M("100");
    TokfConstruction& second = order.AddPosition();
    second.Number = 1;
    second.Price = M("50");
    second.Included = false;
    order.NDSTax = 20;
    EXPECT_EQ(order.TotalCost(), M("100"));
    EXPECT_EQ(order.TotalNDSSum(), TMoney());
    order.TotalNDS = true;
    EXPECT_EQ(order.TotalNDSSum(), M("20"));
    EXPECT_EQ(order.TotalWithNDS(), M("120"));
}
