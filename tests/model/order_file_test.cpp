#include <QFile>
#include <gtest/gtest.h>

#include "model/versions.h"
#include "model_fixtures.h"
#include "support/scripted_messages.h"

namespace {

QByteArray SampleOrderBytes()
{
    TokfOrder order;
    order.No = QStringLiteral("42");
    order.Currencies.Add({1, 1.0f});
    AddTwoSashPosition(order, QStringLiteral("001"));
    AddTwoSashPosition(order, QStringLiteral("002"), 3);
    return StoredBytes(order);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(OrderFile, SaveAndLoadKeepEverything)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Заказ 42.kfo370"));
    TokfOrder order;
    order.No = QStringLiteral("42");
    order.Material = 5;
    order.Version = QStringLiteral("06.10.2015"); // as read from an old file
    order.Notes = QStringList{QStringLiteral("a"), QString(), QStringLiteral("c")};
    AddTwoSashPosition(order, QStringLiteral("001"));
    ASSERT_TRUE(order.SaveToFile(path));
    EXPECT_EQ(order.Version, OrderFormatVersion());

    TokfOrder back;
    bool converted = true;
    ASSERT_TRUE(back.LoadFromFile(path, converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(back.Material, 0);
    EXPECT_EQ(back.Notes, order.Notes);
    EXPECT_EQ(StoredBytes(back), StoredBytes(order));
    EXPECT_FALSE(order.SaveToFile(QString()));
    EXPECT_FALSE(back.LoadFromFile(QString()));
}

TEST(OrderFile, FailedSaveKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("o.kfo370"));
    TokfOrder order;
    order.No = QStringLiteral("1");
    ASSERT_TRUE(order.SaveToFile(path));
    const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    TScriptedMessages::Current().Clear();
    order.No = QStringLiteral("2");
    EXPECT_FALSE(order.SaveToFile(dir.filePath(QStringLiteral("missing/folder/o.kfo370"))));
    ASSERT_EQ(TScriptedMessages::Current().Texts().size(), 1);
    EXPECT_TRUE(TScriptedMessages::Current().Texts().front().startsWith(QStringLiteral("Ошибка сохранения заказа!\r\n(")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST(OrderFile, DamagedFilesFailWithTheLoadMessage)
{
    const QByteArray good = SampleOrderBytes();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.kfo370"));
    // Cut at every length: a prefix of a good file must never load as a whole order.
    for (qsizetype cut = 0; cut < good.size(); cut += cut < 600 ? 1 : 7) {
        WriteFile(path, good.left(cut));
        TScriptedMessages::Current().Clear();
        TokfOrder order;
        EXPECT_FALSE(order.LoadFromFile(path)) << "cut at " << cut;
        const QStringList texts = TScriptedMessages::Current().Texts();
        ASSERT_FALSE(texts.isEmpty()) << "cut at " << cut;
        EXPECT_TRUE(texts.back().startsWith(QStringLiteral("Ошибка загрузки заказа!\r\n("))) << cut;
    }
    // A wild position count, a foreign tag and a selection file.
    QByteArray wild = good;
    const QByteArray oneCell = QByteArray::fromHex("03000000000000000200000000000000");
    const qsizetype countAt = wild.indexOf(oneCell, 300); // the two positions of the sample
    ASSERT_GT(countAt, 0);
    QByteArray huge = wild;
    huge[countAt + 11] = 0x7F;
    QByteArray foreign = wild;
    foreign[countAt] = 0x09;
    TokfOrderSelection selection;
    for (const QByteArray& bytes : {huge, foreign, StoredBytes(selection)}) {
        WriteFile(path, bytes);
        TScriptedMessages::Current().Clear();
        TokfOrder order;
        EXPECT_FALSE(order.LoadFromFile(path));
        ASSERT_EQ(TScriptedMessages::Current().Texts().size(), 1);
        EXPECT_TRUE(TScriptedMessages::Current().Texts().front().startsWith(QStringLiteral("Ошибка загрузки заказа!\r\n(")));
    }
    EXPECT_TRUE(TScriptedMessages::Current().Texts().front().contains(QStringLiteral("не является файлом заказа")));
}

TEST(Order, PositionsLookupIterationAndSorting)
{
    TokfOrder order;
    for (const char* no : {"003", "001a", "002"})
        order.AddPosition().PosNo = QString::fromLatin1(no);
    order.Position(0).Name = QStringLiteral("Б");
    order.Position(1).Name = QStringLiteral("В");
    order.Position(2).Name = QStringLiteral("А");
    order.Position(2).Included = false;
    EXPECT_EQ(order.FindByPosNo(QStringLiteral("001A")), &order.Position(1));
    EXPECT_EQ(order.FindByPosNo(QStringLiteral("004")), nullptr);
    EXPECT_EQ(order.CountIncluded(), 2);
    EXPECT_TRUE(order.AnyIncluded());
    EXPECT_EQ(order.FirstIncluded(), &order.Position(0));
    EXPECT_EQ(order.NextIncluded(), &order.Position(1));
    EXPECT_EQ(order.NextIncluded(), nullptr);
    EXPECT_EQ(order.NextIncluded(), nullptr);

    order.SortByPosNo();
    EXPECT_EQ(order.Position(0).PosNo, QStringLiteral("001a"));
    order.SortByName();
    EXPECT_EQ(order.Position(0).Name, QStringLiteral("А"));
    order.Delete(0);
    EXPECT_EQ(order.PositionCount(), 2);
}
