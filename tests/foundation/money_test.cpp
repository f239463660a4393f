#include <gtest/gtest.h>

#include "foundation/error.h"
#include "foundation/money.h"
#include "foundation/ole_date.h"

TEST(Money, RoundsHalfToEvenIntoFourDecimals)
{
    struct TCase
    {
        long double Value;
        std::int64_t Raw;
    } cases[] = {{12.5L, 125000}, {0.00005L, 0}, {0.00015L, 2}, {-0.00015L, -2}, {1.23456L, 12346}, {-7.0L, -70000}};
    for (const auto& c : cases)
        EXPECT_EQ(TMoney::FromDouble(c.Value).Raw(), c.Raw) << static_cast<double>(c.Value);
    // 10.00 at rate 2.0 with a 5 % discount: products rounded, sums exact.
    EXPECT_EQ((TMoney::FromDouble(10) * 2.0L * (1 + -5 / 100.0L)).Raw(), 190000);
    EXPECT_THROW(TMoney::FromDouble(1e300L), TError);
    EXPECT_THROW(TMoney::FromDouble(1) / 0.0L, TError);
    EXPECT_THROW(TMoney::FromRaw(INT64_MAX) + TMoney::FromRaw(1), TError);
}

TEST(Money, Text)
{
    EXPECT_EQ(TMoney::FromDouble(19).ToString(2), QStringLiteral("19.00"));
    EXPECT_EQ(TMoney::FromRaw(125).ToString(2), QStringLiteral("0.01"));  // 0.0125 → 0.01 (even)
    EXPECT_EQ(TMoney::FromRaw(135).ToString(2), QStringLiteral("0.01"));  // 0.0135 → 0.01
    EXPECT_EQ(TMoney::FromRaw(150).ToString(2), QStringLiteral("0.02"));  // 0.015 → 0.02 (even)
    EXPECT_EQ(TMoney::FromRaw(-12345).ToString(4), QStringLiteral("-1.2345"));
    EXPECT_EQ(TMoney::FromRaw(-5000).ToString(0), QStringLiteral("0"));
    EXPECT_EQ(TMoney::Parse(QStringLiteral("12,5")).Raw(), 125000);
    EXPECT_THROW(TMoney::Parse(QStringLiteral("abc")), TError);
}

TEST(OleDate, DayCountBothWays)
{
    EXPECT_EQ(ToOleDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(ToOleDate(QDate(2019, 12, 26)), 43825.0);
    EXPECT_EQ(ToOleDate(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    EXPECT_EQ(FromOleDate(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(ToOleDate(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(FromOleDate(43825.5), QDateTime(QDate(2019, 12, 26), QTime(12, 0)));
    EXPECT_FALSE(FromOleDate(1e12).isValid());
    EXPECT_FALSE(FromOleDate(std::nan("")).isValid());
}
