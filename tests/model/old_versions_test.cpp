#include <gtest/gtest.h>

#include "model/versions.h"
#include "model_fixtures.h"
#include "support/scripted_messages.h"

namespace {

bool Older(const QString& a, const char* b) { return IsVersionOlder(a, QString::fromLatin1(b)); }

// An order file as an older program wrote it: one single-sash position whose complect has one
// item, in the layout of the given version.
QByteArray OldOrderFile(const QString& version)
{
    TSpecStream s;
    s.WriteString(QStringLiteral("Diravir Furniture Order File"));
    s.WriteString(version);
    s.WriteInteger(0);
    s.WriteInteger(0);
    s.WriteDate(40000.25);
    s.WriteDate(40000.25);
    s.WriteInteger(0);
    for (const char* text : {"12", "", "Заказчик", "", "", "", ""})
        s.WriteString(QString::fromUtf8(text));
    s.WriteDate(40000);
    s.WriteBoolean(true);
    for (const char* text : {"S1", "", "", "110", "C9", "G1"})
        s.WriteString(QString::fromUtf8(text));
    if (Older(version, "10.12.2009")) {
        s.WriteString(QStringLiteral("old1"));
        s.WriteString(QStringLiteral("old2"));
    } else
        for (int v : {101, 209, 301, 401})
            s.WriteInteger(v);
    s.WriteInteger(3);     // price group
    s.WriteDouble(18);
    s.WriteBoolean(true);
    s.WriteBoolean(false);
    s.WriteInteger(1);     // snapshot
    s.WriteInteger(1);
    s.WriteDouble(1);
    s.WriteInteger(1);     // currency
    s.WriteString(QStringLiteral("заметка"));
    s.WriteInteger(1);     // positions

    s.WriteBoolean(true);
    s.WriteString(QStringLiteral("001"));
    s.WriteString(QStringLiteral("Окно"));
    s.WriteInteger(2);
    s.WriteByte(0);
    s.WriteString(QStringLiteral("110"));
    s.WriteString(QStringLiteral("S1"));
    s.WriteString(QStringLiteral("C9"));
    if (Older(version, "10.12.2009")) {
        s.WriteString(QStringLiteral("obs1"));
        s.WriteString(QStringLiteral("obs2"));
    }
    s.WriteInteger(101);
    if (Older(version, "23.07.2019"))
        s.WriteInteger(205); // one backset for the whole position
    s.WriteInteger(301);
    s.WriteDouble(68);
    s.WriteDouble(12);
    s.WriteInteger(401);
    s.WriteCurrency(TMoney::Parse(QStringLiteral("5.5")));
    s.WriteString(QString());
    s.WriteByte(arSingle);
    for (int sash = 0; sash < 2; ++sash) {
        TokfFlugel outline;
        if (sash == 0)
            outline.SetOutline({{0, 14000}, {0, 0}, {10000, 0}, {10000, 14000}});
        s.WriteInteger(outline.PointCount());
        for (int i = 0; i < outline.PointCount(); ++i)
            outline.Point(i).Write(s);
        s.WriteInteger(outline.SideCount());
        for (int i = 0; i < outline.SideCount(); ++i)
            outline.Side(i).Write(s);
        if (!Older(version, "23.07.2019"))
            s.WriteInteger(207);
        s.WriteBoolean(sash == 0);
        if (sash == 0) {
            TokfFurnComp comp;
            comp.MainComplect = QStringLiteral("M1");
            TSpecStream head;
            comp.Write(head); // the complect's own values have no version differences
            s.Write(head.Bytes().constData(), head.Size() - 16); // without its item count
            s.WriteInteger(1);
            s.WriteString(QStringLiteral("ART"));
            s.WriteDouble(1250);
            s.WriteInteger(2);
            if (!Older(version, "06.10.2015"))
                s.WriteString(QStringLiteral("история"));
            if (!Older(version, "03.03.2019"))
                s.WriteString(QStringLiteral("примечание"));
            if (!Older(version, "26.12.2019")) {
                for (int v : {3, 0, 0, 0})
                    s.WriteInteger(v);
                s.WriteString(QStringLiteral("M1"));
            }
        }
        s.WriteInteger(0); // material lines
    }
    return s.Bytes();
}

struct TOldCase
{
    const char* Version;
    bool HasHistory, HasComment, HasObsolete, SharedDorn;
};

class OldOrderVersions : public ::testing::TestWithParam<TOldCase>
{
};

} // namespace

TEST_P(OldOrderVersions, ConvertedOnConfirmation)
{
    const TOldCase& c = GetParam();
    const QString version = QString::fromLatin1(c.Version);
    TScriptedMessages::Current().Clear();
    TSpecStream in(OldOrderFile(version));
    TokfOrder order;
    bool converted = false;
    ASSERT_TRUE(order.Read(in, converted));
    EXPECT_EQ(in.Remaining(), 0);
    const bool current = version == OrderFormatVersion();
    EXPECT_EQ(converted, !current);
    if (!current) {
        EXPECT_EQ(TScriptedMessages::Current().Texts(),
                  QStringList{QStringLiteral("Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: %1\r\n"
                                             "Текущая версия: 26.12.2019").arg(version)});
    }
    EXPECT_EQ(order.Version, version);
    EXPECT_EQ(order.Customer, QStringLiteral("Заказчик"));
    EXPECT_EQ(order.FalzType, c.HasObsolete ? 0 : 101);
    EXPECT_EQ(order.DornType, c.HasObsolete ? 0 : 209);
    EXPECT_EQ(order.PriceGroupNo, 3);
    EXPECT_EQ(order.Notes, QStringList{QStringLiteral("заметка")});
    ASSERT_EQ(order.PositionCount(), 1);
    const TokfConstruction& p = order.Position(0);
    EXPECT_EQ(p.Color, QStringLiteral("C9"));
    EXPECT_EQ(p.FalzType, 101);
    EXPECT_EQ(p.StulpType, 301);
    EXPECT_EQ(p.Flugel1.DornType, c.SharedDorn ? 205 : 207);
    EXPECT_EQ(p.Flugel2.DornType, c.SharedDorn ? 205 : 207);
    EXPECT_EQ(p.Price, TMoney::Parse(QStringLiteral("5.5")));
    ASSERT_TRUE(p.Flugel1.Complect);
    ASSERT_EQ(p.Flugel1.Complect->ItemCount(), 1);
    const TokfFurnItem& item = p.Flugel1.Complect->Item(0);
    EXPECT_EQ(item.ID, QStringLiteral("ART"));
    EXPECT_EQ(item.Length, 1250.0f);
    EXPECT_EQ(item.Count, 2);
    EXPECT_EQ(item.History, c.HasHistory ? QStringLiteral("история") : QString());
    EXPECT_EQ(item.Comment, c.HasComment ? QStringLiteral("примечание") : QString());
    EXPECT_EQ(item.SideNo, current ? 3 : 0);
    EXPECT_EQ(item.ParentComplect, current ? QStringLiteral("M1") : QString());
    EXPECT_FALSE(p.Flugel2.Complect);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldOrderVersions,
                         ::testing::Values(TOldCase{"26.12.2019", true, true, false, false},
                                           TOldCase{"23.07.2019", true, true, false, false},
                                           TOldCase{"03.03.2019", true, true, false, true},
                                           TOldCase{"06.10.2015", true, false, false, true},
                                           TOldCase{"05.10.2015", false, false, false, true},
                                           TOldCase{"09.12.2009", false, false, true, true}));

TEST(OldOrderFile, DeclinedConversionReportsFailureWithoutPositions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.kfo370"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(OldOrderFile(QStringLiteral("06.10.2015")));
    file.close();

    TScriptedMessages::Current().Clear();
    TScriptedMessages::Current().Answer(0);
    TokfOrder order;
    order.AddPosition();
    bool converted = true;
    EXPECT_FALSE(order.LoadFromFile(path, converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(TScriptedMessages::Current().Shown().size(), 1u);
    EXPECT_EQ(TScriptedMessages::Current().Shown().front().Kind, QStringLiteral("Confirm"));
    EXPECT_EQ(order.PositionCount(), 1); // nothing after the header was touched
    EXPECT_TRUE(order.No.isEmpty());
}

TEST(OldOrderFile, NewerVersionWarnedAndRefused)
{
    TScriptedMessages::Current().Clear();
    TSpecStream in(OldOrderFile(QStringLiteral("01.01.2030")));
    TokfOrder order;
    bool converted = true;
    EXPECT_FALSE(order.Read(in, converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(order.PositionCount(), 0);
    ASSERT_EQ(TScriptedMessages::Current().Shown().size(), 1u);
    EXPECT_EQ(TScriptedMessages::Current().Shown().front().Kind, QStringLiteral("Warning"));
    EXPECT_EQ(TScriptedMessages::Current().Shown().front().Text,
              QStringLiteral("Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\n"
                             "Данный модуль технолога поддерживает файлы заказа\r\nверсии не старше: 26.12.2019!\r\n"
                             "Загружаемая версия: 01.01.2030"));
}

TEST(OldSelectionFile, OlderAskedNewerRefused)
{
    TokfOrderSelection sel;
    sel.Add().PosNo = QStringLiteral("001");
    for (const auto& [version, older] : {std::pair{"01.01.2014", true}, std::pair{"01.01.2030", false}}) {
        sel.Version = QString::fromLatin1(version);
        const QByteArray bytes = StoredBytes(sel);
        TScriptedMessages::Current().Clear();
        TokfOrderSelection back;
        TSpecStream in(bytes);
        bool converted = false;
        EXPECT_EQ(back.Read(in, converted), older);
        EXPECT_EQ(converted, older);
        EXPECT_EQ(back.Count(), older ? 1 : 0);
        ASSERT_EQ(TScriptedMessages::Current().Shown().size(), 1u);
        EXPECT_EQ(TScriptedMessages::Current().Shown().front().Kind,
                  older ? QStringLiteral("Confirm") : QStringLiteral("Warning"));
        EXPECT_TRUE(TScriptedMessages::Current().Shown().front().Text.contains(QStringLiteral("выборк")));
    }
}
