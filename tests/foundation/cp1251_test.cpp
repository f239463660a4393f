#include <gtest/gtest.h>

#include "foundation/cp1251.h"

TEST(Cp1251, RoundTripsEveryDefinedByte)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98)
            all.append(static_cast<char>(b));
    EXPECT_EQ(ToCp1251(FromCp1251(all)), all);
}

TEST(Cp1251, CyrillicAndMissingCharacters)
{
    EXPECT_EQ(ToCp1251(QStringLiteral("ФУРНИТУРА")), QByteArray("\xD4\xD3\xD0\xCD\xC8\xD2\xD3\xD0\xC0"));
    EXPECT_EQ(FromCp1251(QByteArray("\xB8\xA8")), QStringLiteral("ёЁ"));
    EXPECT_EQ(ToCp1251(QStringLiteral("a€中")), QByteArray("a\x88?"));
    EXPECT_FALSE(IsCp1251(QStringLiteral("中")));
    EXPECT_TRUE(IsCp1251(QStringLiteral("Привет, №5")));
}
