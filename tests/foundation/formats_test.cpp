#include <gtest/gtest.h>

#include "foundation/formats.h"

class FormatsTest : public ::testing::Test
{
protected:
    void SetUp() override { Formats().Reset(); }
    void TearDown() override { Formats().Reset(); }
};

TEST_F(FormatsTest, FloatsWithSeparatorsInForce)
{
    const struct { double value; int decimals; bool thousands; const char* text; } cases[] = {
        {1234.5, 2, true, "1 234,50"},
        {-1234567.891, 1, true, "-1 234 567,9"},
        {1234.5, 2, false, "1234,50"},
        {0.125, 2, false, "0,13"},
        {2.675, 2, false, "2,67"},
        {-0.004, 2, false, "0,00"},
        {999.96, 1, true, "1 000,0"},
        {12.5, 0, false, "13"},
        {-12.5, 0, false, "-13"},
        {0.05, 3, false, "0,050"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Formats().FormatFloat(c.value, c.decimals, c.thousands), QString::fromUtf8(c.text)) << c.value;
}

TEST_F(FormatsTest, MoneyWithActiveCurrency)
{
    EXPECT_EQ(Formats().FormatMoney(TMoney::FromDouble(1234.5)), QStringLiteral("1 234,50  "));
    Formats().SetCurrency(QStringLiteral("EUR"), 4);
    EXPECT_EQ(Formats().FormatMoney(TMoney::FromDouble(-1234567.1234)), QStringLiteral("-1 234 567,1234 EUR"));
    Formats().SetCurrency(QStringLiteral("руб"), -2);
    EXPECT_EQ(Formats().CurrencyDecimals(), 0);
    EXPECT_EQ(Formats().FormatMoney(TMoney::FromDouble(999.4)), QStringLiteral("999 руб"));
    EXPECT_EQ(Formats().FormatMoney(TMoney::FromDouble(0.5), 6), QStringLiteral("0,500000 руб"));
    EXPECT_EQ(Formats().FormatMoney(TMoney()), QStringLiteral("0 руб"));
}

TEST_F(FormatsTest, DatesRoundTrip)
{
    EXPECT_EQ(Formats().FormatDate(QDate(2019, 12, 26)), QStringLiteral("26.12.2019"));
    EXPECT_EQ(Formats().FormatDate(QDate()), QString());
    EXPECT_EQ(Formats().FormatDateTime(QDateTime(QDate(2024, 2, 1), QTime(0, 0))), QStringLiteral("01.02.2024"));
    EXPECT_EQ(Formats().FormatDateTime(QDateTime(QDate(2024, 2, 1), QTime(9, 5, 7))),
              QStringLiteral("01.02.2024 09:05:07"));

    const struct { const char* text; QDate date; } cases[] = {
        {"26.12.2019", QDate(2019, 12, 26)},
        {" 1.2.2024 ", QDate(2024, 2, 1)},
        {"01.02.24", QDate(2024, 2, 1)},
        {"3.4", QDate(QDate::currentDate().year(), 4, 3)},
        {"31.02.2024", QDate()},
        {"2024-02-01", QDate()},
        {"1.2.3.4", QDate()},
        {"a.2.2024", QDate()},
        {"", QDate()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Formats().ParseDate(QString::fromUtf8(c.text)), c.date) << c.text;
}

TEST_F(FormatsTest, ParseFloatAcceptsCommaPointAndGroups)
{
    const struct { const char* text; double value; bool ok; } cases[] = {
        {"18", 18, true}, {"18,5", 18.5, true}, {"18.5", 18.5, true}, {" 1 234,5 ", 1234.5, true},
        {"", 0, false}, {"abc", 0, false}, {"1,2,3", 0, false}, {"inf", 0, false}};
    for (const auto& c : cases) {
        bool ok = !c.ok;
        EXPECT_DOUBLE_EQ(Formats().ParseFloat(QString::fromUtf8(c.text), &ok), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
}
