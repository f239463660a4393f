#include <gtest/gtest.h>

#include "support/shared_fixtures.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "foundation/error.h"
#include "platform/db/paradox_table.h"
#include "platform/db/value_text.h"

namespace {
QString Fixture(const char* name)
{
    return QDir(QStringLiteral(DIRAVIR_FIXTURES_DIR "/paradox")).filePath(QString::fromLatin1(name));
}

QStringList Row(TParadoxTable& t, int r)
{
    QStringList cells;
    for (const QVariant& v : t.Record(r))
        cells << ExchangeText(v);
    return cells;
}
} // namespace

TEST(Paradox, EveryFieldTypeAndItsBlanks)
{
    REQUIRE_SHARED_FIXTURES();
    TParadoxTable t(Fixture("TypSammlung.DB"));
    EXPECT_EQ(t.CodePage(), 1252);
    ASSERT_EQ(t.Fields().size(), 14);
    EXPECT_EQ(t.Fields()[2].Name, QStringLiteral("Währung"));
    EXPECT_EQ(t.RecordCount(), 5);
    EXPECT_EQ(Row(t, 0), QStringList({"AAA Irgendein Text", "40", "40", "40", "40", "40.000000", "1970-01-01", "00:00:00",
                                      "1970-01-01 11:00:00", "", "", "1", "", ""}));
    // Blank BCD, date, time and timestamp: pxlib reads the BCD one as question marks.
    EXPECT_EQ(Row(t, 1), QStringList({"Erste Zeile", "23", "", "", "", "", "", "", "", "", "0", "3", "", ""}));
    const QList<QVariant> fifth = t.Record(2);
    EXPECT_EQ(fifth[9].toString(), QStringLiteral("Dies ist eine Memo im 'Fünften Datensat'"));
    EXPECT_DOUBLE_EQ(fifth[2].toDouble(), 13.002);
    EXPECT_EQ(fifth[5].toString(), QStringLiteral("13.123457"));
    EXPECT_EQ(ExchangeText(fifth[7]), QStringLiteral("01:10:12"));
    EXPECT_EQ(Row(t, 3).mid(1, 6), QStringList({"0", "0", "0", "0", "0.000000", ""})); // zeros are not blanks
    EXPECT_EQ(Row(t, 4)[10], QStringLiteral("1"));
}

TEST(Paradox, EncryptedTablesReadLikeThePlainOnes)
{
    REQUIRE_SHARED_FIXTURES();
    for (const auto& [plain, encrypted] : {std::pair{"TypSammlung.DB", "TypSammlung_encrypted.DB"},
                                           std::pair{"country.db", "country_encrypted.db"}}) {
        TParadoxTable a(Fixture(plain)), b(Fixture(encrypted));
        EXPECT_TRUE(b.Encrypted());
        ASSERT_EQ(a.RecordCount(), b.RecordCount());
        for (int r = 0; r < a.RecordCount(); ++r)
            EXPECT_EQ(Row(a, r), Row(b, r)) << encrypted << " record " << r;
    }
}

TEST(Paradox, CodePagesFromTheHeaderOrTheCaller)
{
    REQUIRE_SHARED_FIXTURES();
    TParadoxTable country(Fixture("country.db"));
    EXPECT_EQ(country.CodePage(), 850);
    EXPECT_EQ(country.RecordCount(), 18);
    EXPECT_EQ(Row(country, 0).first(), QStringLiteral("Argentina"));

    TParadoxTable cp866(Fixture("of_cp866.db"));
    EXPECT_TRUE(cp866.HeaderCodePage());
    EXPECT_EQ(cp866.Fields().first().Name, QStringLiteral("Инвентарный номер"));
    EXPECT_EQ(Row(cp866, 0)[3], QStringLiteral("АП-Т УЗТ-ПЕРЕНОСНОЙ"));

    TParadoxTable bare(Fixture("of.db"), 866);
    EXPECT_FALSE(bare.HeaderCodePage());
    EXPECT_EQ(bare.CodePage(), 866);
    ASSERT_EQ(bare.RecordCount(), cp866.RecordCount());
    for (int r : {0, 1, 1000, cp866.RecordCount() - 1})
        EXPECT_EQ(Row(bare, r), Row(cp866, r));
}

TEST(Paradox, EmptyTableAndBlobs)
{
    REQUIRE_SHARED_FIXTURES();
    TParadoxTable empty(Fixture("empty.db"));
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_EQ(empty.Fields().size(), 7);

    TParadoxTable bio(Fixture("biolife.db"));
    ASSERT_GT(bio.RecordCount(), 20);
    for (int r = 0; r < bio.RecordCount(); ++r) {
        const QList<QVariant> row = bio.Record(r);
        EXPECT_TRUE(row[6].toString().size() > 20) << r;
        const QByteArray picture = row[7].toByteArray();
        ASSERT_GT(picture.size(), 1000) << r;
        EXPECT_TRUE(picture.startsWith("BM")) << r; // Windows bitmaps
    }
}

TEST(Paradox, DamagedFilesFailWithTheFileName)
{
    REQUIRE_SHARED_FIXTURES();
    QTemporaryDir dir;
    QFile source(Fixture("of_cp866.db"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    const QString truncated = dir.filePath(QStringLiteral("cut.db"));
    const QString garbage = dir.filePath(QStringLiteral("junk.db"));
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(5000));
    cut.close();
    QFile junk(garbage);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(3000, 'x'));
    junk.close();
    for (const QString& path : {truncated, garbage, dir.filePath(QStringLiteral("none.db"))}) {
        try {
            TParadoxTable t(path);
            ADD_FAILURE() << path.toStdString();
        } catch (const TError& e) {
            EXPECT_TRUE(e.Message().contains(QDir::toNativeSeparators(path))) << e.Message().toStdString();
        }
    }
}
