#include <gtest/gtest.h>

#include "foundation/cp1251.h"

TEST(Cp1251, RoundTripsEveryByte)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(ToCp1251(FromCp1251(all)), all); // 0x98, undefined in the page, included
}

TEST(Cp1251, CyrillicAndMissingCharacters)
{
    EXPECT_EQ(ToCp1251(QStringLiteral("ФУРНИТУРА")), QByteArray("\xD4\xD3\xD0\xCD\xC8\xD2\xD3\xD0\xC0"));
    EXPECT_EQ(FromCp1251(QByteArray("\xB8\xA8")), QStringLiteral("ёЁ"));
    EXPECT_EQ(ToCp1251(QStringLiteral("a€中")), QByteArray("a\x88?"));
    EXPECT_FALSE(IsCp1251(QStringLiteral("中")));
    EXPECT_TRUE(IsCp1251(QStringLiteral("Привет, №5")));
}

TEST(Cp1251, UpperCaseByCodePage)
{
    EXPECT_EQ(UpperCp1251(QStringLiteral("abz ёж, ўіїєґђѓљњќћџјѕ µ ß 中")),
              QStringLiteral("ABZ ЁЖ, ЎІЇЄҐЂЃЉЊЌЋЏЈЅ µ ß 中"));
    EXPECT_EQ(UpperCp1251Bytes(QByteArray("a\xE0\xB8\x98\xB5")), QByteArray("A\xC0\xA8\x98\xB5"));
}

TEST(Cp1251, CompareByBytes)
{
    const struct { const char* a; const char* b; int sign; Qt::CaseSensitivity cs; } cases[] = {
        {"abc", "abc", 0, Qt::CaseSensitive},
        {"ab", "abc", -1, Qt::CaseSensitive},
        {"Z", "a", -1, Qt::CaseSensitive},
        {"z", "А", -1, Qt::CaseSensitive},  // Latin before Cyrillic
        {"Ё", "А", -1, Qt::CaseSensitive},  // 0xA8 before 0xC0, unlike Unicode order
        {"я", "Я", 1, Qt::CaseSensitive},
        {"я", "Я", 0, Qt::CaseInsensitive},
        {"ёлка", "ЁЛКА", 0, Qt::CaseInsensitive},
        {"", "", 0, Qt::CaseSensitive},
    };
    for (const auto& c : cases) {
        const int r = CompareCp1251(QString::fromUtf8(c.a), QString::fromUtf8(c.b), c.cs);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " " << c.b;
    }
}
