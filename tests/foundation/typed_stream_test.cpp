#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "foundation/error.h"
#include "foundation/typed_stream.h"
#include "support/scripted_messages.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

QByteArray Written(const TStreamValue& value)
{
    TSpecStream s;
    s.WriteValue(value);
    return s.Bytes();
}

} // namespace

TEST(SpecStream, StoredFormsAreExact)
{
    struct TCase
    {
        TStreamValue Value;
        const char* Bytes;
    } cases[] = {
        {std::int32_t{5}, "03000000000000000500000000000000"},
        {std::int32_t{-2}, "0300000000000000feffffff00000000"},
        {true, "0b00000000000000ffff000000000000"},
        {false, "0b000000000000000000000000000000"},
        {std::uint8_t{2}, "11000000000000000200000000000000"},
        {TMoney::FromDouble(12.5), "060000000000000048e8010000000000"}, // 125000
        {1.5, "0500000000000000000000000000f83f"},
        {TOleDate{2.0}, "07000000000000000000000000000040"},
        {QStringLiteral("abc"), "03000000616263"},
        {QString(), "00000000"},
        {QStringLiteral("Ая"), "02000000c0ff"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written(c.Value).toHex(), QByteArray(c.Bytes));
}

TEST(SpecStream, ValuesRoundTripAndConvertBetweenCellKinds)
{
    TSpecStream s;
    s.WriteInteger(7);
    s.WriteBoolean(true);
    s.WriteInteger(0);
    s.WriteDouble(2.5);
    s.WriteInteger(3);
    s.WriteCurrency(TMoney::FromDouble(1.2345));
    s.WriteDouble(3.5);
    s.WriteStrings({QStringLiteral("один"), QStringLiteral("два")});
    s.Seek(0);
    EXPECT_EQ(s.ReadDouble(), 7.0);             // Integer cell into a Double field
    EXPECT_EQ(s.ReadInteger(), -1);             // Boolean cell as Integer
    EXPECT_FALSE(s.ReadBoolean());              // zero Integer as Boolean
    EXPECT_TRUE(s.ReadBoolean());               // non-zero Double as Boolean
    EXPECT_EQ(s.ReadCurrency(), TMoney::FromDouble(3));
    EXPECT_EQ(s.ReadCurrency().Raw(), 12345);
    EXPECT_EQ(s.ReadInteger(), 4);              // 3.5 rounds half to even
    EXPECT_EQ(s.ReadStrings(), (QStringList{QStringLiteral("один"), QStringLiteral("два")}));
    EXPECT_EQ(s.ReadInteger(), 0);              // at the end: the zero value, no error
    EXPECT_EQ(s.ReadString(), QString());
}

TEST(SpecStream, StringStopsAtZeroByte)
{
    TSpecStream s(Hex("0500000061620063640300000000000000"
                      "0700000000000000"));
    EXPECT_EQ(s.ReadString(), QStringLiteral("ab"));
    EXPECT_EQ(s.ReadInteger(), 7);
}

TEST(SpecStream, DamagedInputFailsCleanly)
{
    auto& boxes = TScriptedMessages::Current();
    boxes.Clear();
    TSpecStream cut(Hex("0a000000616263"));
    EXPECT_THROW(cut.ReadString(), TStreamError);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Text,
              QStringLiteral("Ошибка чтения строки из потока!\r\nЗаказано: [10 символов], Считано: [3 символов]!"));
    boxes.Clear();
    TSpecStream huge(Hex("ffffff7f00")); // never allocates the 2 GB it claims
    EXPECT_THROW(huge.ReadString(), TStreamError);
    EXPECT_EQ(boxes.Shown().size(), 1u);
    boxes.Clear();

    TSpecStream negative(Hex("ffffffff"));
    EXPECT_THROW(negative.ReadString(), TStreamError);
    TSpecStream foreignTag(Hex("09000000000000000000000000000000"));
    EXPECT_THROW(foreignTag.ReadInteger(), TStreamError);
    TSpecStream tooBig(Hex("0500000000000000000000000000f07f")); // +inf
    EXPECT_THROW(tooBig.ReadInteger(), TStreamError);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(SpecStream, VersionComparison)
{
    struct TCase
    {
        const char* A;
        const char* B;
        bool Older;
    } cases[] = {
        {"06.10.2015", "26.12.2019", true},  {"26.12.2019", "26.12.2019", false},
        {"03.03.2019", "23.07.2019", true},  {"23.07.2019", "03.03.2019", false},
        {"10.12.2009", "06.10.2015", true},  {" 26.12.2019", "26.12.2019 ", false},
    };
    // Twice, and with more versions than are remembered: a remembered answer must be the same.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& c : cases) {
            EXPECT_EQ(IsVersionOlder(QString::fromLatin1(c.A), QString::fromLatin1(c.B)), c.Older) << c.A << " " << c.B;
            EXPECT_EQ(IsVersionNotOlder(QString::fromLatin1(c.A), QString::fromLatin1(c.B)), !c.Older);
        }
        for (int day = 1; day <= 20; ++day)
            EXPECT_TRUE(IsVersionOlder(QStringLiteral("%1.01.2020").arg(day), QStringLiteral("%1.01.2020").arg(day + 1)));
        EXPECT_THROW(IsVersionOlder(QStringLiteral("ab.10.2015"), QStringLiteral("26.12.2019")), TError);
    }
}

TEST(SpecStream, TextsOfALargeStreamReadBackAsWritten)
{
    // Enough strings for the repeats to be shared; long ones, Cyrillic ones, ones cut by a zero.
    QStringList texts;
    for (int i = 0; i < 6000; ++i) {
        switch (i % 6) {
        case 0: texts << QStringLiteral("ART-%1").arg(i % 50); break;
        case 1: texts << QStringLiteral("верх"); break;
        case 2: texts << QStringLiteral("%1").arg(i); break;
        case 3: texts << QString(70 + i % 3, QLatin1Char('x')) + QString::number(i % 7); break;
        case 4: texts << QString(); break;
        default: texts << QStringLiteral("ART-%1").arg(i % 50) + QChar(0) + QStringLiteral("tail"); break;
        }
    }
    TSpecStream s;
    for (const QString& text : texts)
        s.WriteString(text);
    ASSERT_GT(s.Size(), 64 * 1024);
    s.Seek(0);
    for (const QString& text : texts)
        ASSERT_EQ(s.ReadString(), text.section(QChar(0), 0, 0));

    // Bytes written over a text already read: reading them again gives the new text.
    s.Seek(0);
    s.WriteString(QStringLiteral("ART-9"));
    s.Seek(0);
    EXPECT_EQ(s.ReadString(), QStringLiteral("ART-9"));
    EXPECT_EQ(s.ReadString(), QStringLiteral("верх"));
}

TEST(SpecStream, WholeFileSaveKeepsThePreviousFileOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("order.kfo370"));
    TSpecStream s;
    s.WriteString(QStringLiteral("first"));
    SaveStreamToFile(s, path);
    TSpecStream loaded = LoadStreamFromFile(path);
    EXPECT_EQ(loaded.Bytes(), s.Bytes());
    EXPECT_EQ(loaded.Position(), 0);

    // A target that cannot be replaced: the old content survives and the failure is reported.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir().mkpath(blocked));
    EXPECT_THROW(SaveStreamToFile(s, blocked), TError);
    EXPECT_THROW(SaveStreamToFile(s, dir.filePath(QStringLiteral("missing/x.kfo370"))), TError);
    EXPECT_THROW(LoadStreamFromFile(dir.filePath(QStringLiteral("none"))), TError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("order.kfo370")});
}

TEST(SpecStream, WholeFileLoadTakesEveryByte)
{
    QTemporaryDir dir;
    // Empty, and large enough to need more than one read of the device's buffer, with zero bytes.
    for (const qsizetype size : {qsizetype(0), qsizetype(3 << 20) + 17}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 % 251);
        const QString path = dir.filePath(QStringLiteral("f%1").arg(size));
        SaveStreamToFile(TSpecStream(bytes), path);
        const TSpecStream loaded = LoadStreamFromFile(path);
        EXPECT_EQ(loaded.Bytes(), bytes) << size;
        EXPECT_EQ(loaded.Position(), 0);
    }
}
