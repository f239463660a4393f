#include <QDir>
#include <gtest/gtest.h>

#include "fake_catalogue.h"
#include "model/order_files.h"
#include "model_fixtures.h"
#include "support/scripted_messages.h"

namespace {

class Selection : public ::testing::Test
{
protected:
    Selection()
    {
        SetOrdersFolder(dir.path());
        QDir(dir.path()).mkdir(QStringLiteral("Sub"));
        catalogue.Currencies = {{1, 1.0}};
        TakeSnapshot(rates);
        catalogue.AddArticle(QStringLiteral("A"), "2");
        catalogue.AddArticle(QStringLiteral("B"), "1");
        SaveOrder(QStringLiteral("Sub/seven.kfo370"), QStringLiteral("7"), {{"001", 2, "A"}, {"002", 5, "A"}});
        SaveOrder(QStringLiteral("eight.kfo370"), QStringLiteral("8"), {{"001", 1, "B"}});
    }
    ~Selection() override { SetOrdersFolder(QString()); }

    struct TPos
    {
        const char* No;
        int Number;
        const char* Article;
    };
    void SaveOrder(const QString& name, const QString& no, std::initializer_list<TPos> positions)
    {
        TokfOrder order;
        order.No = no;
        for (const TPos& p : positions) {
            TokfConstruction& c = order.AddPosition();
            c.PosNo = QString::fromLatin1(p.No);
            c.Name = QStringLiteral("Окно ") + c.PosNo;
            c.Number = p.Number;
            TokfMatListItem line;
            line.ID = QString::fromLatin1(p.Article);
            line.Quantity = 1;
            c.Flugel1.MatList.Add(line);
        }
        ASSERT_TRUE(order.SaveToFile(dir.filePath(name)));
    }
    TokfOrderSelectionItem& AddEntry(const char* file, const char* posNo)
    {
        TokfOrderSelectionItem& e = selection.Add();
        e.SetOrderPath(dir.filePath(QString::fromLatin1(file)));
        e.PosNo = QString::fromLatin1(posNo);
        return e;
    }

    QTemporaryDir dir;
    TFakeCatalogue catalogue;
    TokfCurrencyList rates;
    TPricingScope scope{1, rates};
    TokfOrderSelection selection;
};

} // namespace

TEST_F(Selection, OrderFileReferences)
{
    const QString folder = QStringLiteral("C:\\Diravir\\Orders");
    EXPECT_EQ(OrderFileReference(QStringLiteral("c:\\diravir\\orders\\sub\\Заказ.kfo370"), folder),
              QStringLiteral("%SUB\\ЗАКАЗ.KFO370"));
    EXPECT_EQ(OrderFileReference(QStringLiteral("D:\\other\\a.kfo370"), folder), QStringLiteral("D:\\OTHER\\A.KFO370"));
    EXPECT_EQ(OrderFileReference(QStringLiteral("C:\\Diravir\\OrdersOld\\a.kfo370"), folder),
              QStringLiteral("C:\\DIRAVIR\\ORDERSOLD\\A.KFO370"));
    EXPECT_EQ(OrderFileReference(QStringLiteral("%sub\\a.kfo370"), folder), QStringLiteral("%SUB\\A.KFO370"));
    EXPECT_EQ(OrderFilePath(QStringLiteral("%SUB\\A.KFO370"), folder), QStringLiteral("C:\\DIRAVIR\\ORDERS\\SUB\\A.KFO370"));
    EXPECT_EQ(OrderFilePath(QStringLiteral("d:\\x.kfo370"), folder), QStringLiteral("D:\\X.KFO370"));

    const TokfOrderSelectionItem& e = AddEntry("Sub/seven.kfo370", "001");
    EXPECT_EQ(e.OrderFile, QStringLiteral("%SUB/SEVEN.KFO370"));
    TokfConstruction* position = selection.EntryPosition(e);
    ASSERT_NE(position, nullptr); // found on a file system that tells letter case apart
    EXPECT_EQ(position->Number, 2);
    delete position->Order;
}

TEST_F(Selection, OrderNumbersRefreshAndMaterialList)
{
    AddEntry("Sub/seven.kfo370", "001");
    AddEntry("Sub/seven.kfo370", "002");
    AddEntry("eight.kfo370", "001");
    AddEntry("Sub/seven.kfo370", "001a").Number = 99; // no such position
    TScriptedMessages::Current().Clear();
    EXPECT_EQ(selection.OrderNumbers(), QStringLiteral("7,8,7"));
    EXPECT_TRUE(TScriptedMessages::Current().Texts().isEmpty());

    selection.Entry(1).Included = false;
    selection.Entry(0).Width = 1300;
    selection.Refresh(false);
    EXPECT_EQ(selection.Entry(0).OrderNo, QStringLiteral("7"));
    EXPECT_EQ(selection.Entry(0).PosName, QStringLiteral("Окно 001"));
    EXPECT_EQ(selection.Entry(0).Number, 2);
    EXPECT_EQ(selection.Entry(0).Width, 0.0f);
    EXPECT_FALSE(selection.Entry(1).Included);
    EXPECT_EQ(selection.Entry(3).Number, 99);
    EXPECT_TRUE(selection.Entry(3).OrderNo.isEmpty());
    EXPECT_EQ(selection.IndexOf(QStringLiteral("8"), QStringLiteral("001")), 2);
    EXPECT_EQ(selection.IndexOf(QStringLiteral("7"), QStringLiteral("001A")), -1);

    TokfMatList list;
    selection.BuildMatList(list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Line(0).ID, QStringLiteral("A"));
    EXPECT_EQ(list.Line(0).Quantity, 2.0f); // the second position is not included
    EXPECT_EQ(list.Line(0).Price, TMoney::Parse(QStringLiteral("2")));
    EXPECT_EQ(list.Line(0).Cost, TMoney::Parse(QStringLiteral("4")));
    EXPECT_EQ(list.Line(1).ID, QStringLiteral("B"));

    selection.Refresh(true);
    EXPECT_TRUE(selection.Entry(1).Included);
}

TEST_F(Selection, MissingOrderIsSkippedWithOneMessage)
{
    AddEntry("gone.kfo370", "001");
    AddEntry("gone.kfo370", "002");
    AddEntry("eight.kfo370", "001");
    TScriptedMessages::Current().Clear();
    EXPECT_EQ(selection.OrderNumbers(), QStringLiteral("8"));
    ASSERT_EQ(TScriptedMessages::Current().Texts().size(), 1);
    EXPECT_TRUE(TScriptedMessages::Current().Texts().front().startsWith(QStringLiteral("Ошибка загрузки заказа!")));
    EXPECT_EQ(selection.EntryPosition(selection.Entry(0)), nullptr);
}

TEST_F(Selection, SaveLoadAndForeignFiles)
{
    AddEntry("Sub/seven.kfo370", "001");
    selection.Add().OrderFile = QStringLiteral("D:\\ELSEWHERE\\X.KFO370");
    const QString path = dir.filePath(QStringLiteral("NewSel.kfs370"));
    ASSERT_TRUE(selection.SaveToFile(path));
    TokfOrderSelection back;
    bool converted = true;
    ASSERT_TRUE(back.LoadFromFile(path, converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(back.Entry(0).OrderFile, QStringLiteral("%SUB/SEVEN.KFO370"));
    EXPECT_EQ(back.Entry(1).OrderFile, QStringLiteral("D:\\ELSEWHERE\\X.KFO370"));
    EXPECT_EQ(StoredBytes(back), StoredBytes(selection));

    TScriptedMessages::Current().Clear();
    EXPECT_FALSE(back.LoadFromFile(dir.filePath(QStringLiteral("eight.kfo370"))));
    ASSERT_EQ(TScriptedMessages::Current().Texts().size(), 1);
    EXPECT_EQ(TScriptedMessages::Current().Texts().front(),
              QStringLiteral("Ошибка загрузки выборки!\r\n(Файл не является файлом выборки)"));

    const QByteArray good = StoredBytes(selection);
    QFile file(path);
    for (qsizetype cut = 0; cut < good.size(); ++cut) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(good.left(cut));
        file.close();
        TScriptedMessages::Current().Clear();
        EXPECT_FALSE(back.LoadFromFile(path)) << cut;
        EXPECT_TRUE(TScriptedMessages::Current().Texts().back().startsWith(QStringLiteral("Ошибка загрузки выборки!\r\n(")));
    }
}

TEST_F(Selection, EntrySorting)
{
    const char* rows[][3] = {{"8", "002", "Б"}, {"7", "002", "А"}, {"7", "001", "Б"}};
    for (const auto& row : rows) {
        TokfOrderSelectionItem& e = selection.Add();
        e.OrderNo = QString::fromLatin1(row[0]);
        e.PosNo = QString::fromLatin1(row[1]);
        e.PosName = QString::fromUtf8(row[2]);
        e.OrderFile = QStringLiteral("%") + e.OrderNo;
    }
    const auto keys = [&] {
        QStringList k;
        for (int i = 0; i < selection.Count(); ++i)
            k << selection.Entry(i).OrderNo + QLatin1Char('/') + selection.Entry(i).PosNo;
        return k;
    };
    selection.SortByOrderPos();
    EXPECT_EQ(keys(), (QStringList{"7/001", "7/002", "8/002"}));
    selection.SortByPosOrder();
    EXPECT_EQ(keys(), (QStringList{"7/001", "7/002", "8/002"}));
    selection.SortByNameOrderPos();
    EXPECT_EQ(keys(), (QStringList{"7/002", "7/001", "8/002"}));
    selection.SortByFileOrderPos();
    EXPECT_EQ(keys(), (QStringList{"7/001", "7/002", "8/002"}));
}

TEST(MinTradeRounding, QuantitiesGoUpToWholeMultiples)
{
    const struct
    {
        float Quantity;
        double MinTrade;
        float Expected;
    } cases[] = {
        {250, 100, 300},   // a fraction of a pack buys the whole pack
        {300, 100, 300},   // an exact multiple stays
        {2.5f, 1, 3},      // metres of a cut article
        {2.5f, 0.5, 2.5f},
        {0.3f, 0.1, 0.3f}, // a single that is not exactly 3 x 0.1 is still a multiple
        {0.31f, 0.1, 0.4f},
        {7, 0, 7},         // no minimum trade quantity
        {7, -5, 7},
        {0, 100, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Quantity << " by " << c.MinTrade);
        EXPECT_FLOAT_EQ(RoundUpToMinTrade(c.Quantity, c.MinTrade), c.Expected);
    }
}

// With RoundMode 1 the selection's list buys whole packs, costed from the rounded quantity; with 0
// it lists what is fitted.
TEST_F(Selection, RoundModeRoundsTheListUpToTheMinimumTradeQuantity)
{
    AddEntry("Sub/seven.kfo370", "001"); // 2 x A
    AddEntry("Sub/seven.kfo370", "002"); // 5 x A
    AddEntry("eight.kfo370", "001");     // 1 x B
    const struct
    {
        std::uint8_t RoundMode;
        double MinTradeA;
        double MinTradeB;
        float A;
        float B;
    } cases[] = {
        {1, 5, 0, 10, 1},  // A: 7 up to 10; B has none
        {1, 7, 0, 7, 1},   // an exact multiple stays
        {1, 5, 10, 10, 10},
        {0, 5, 10, 7, 1},  // rounding off
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.RoundMode) << ", A by " << c.MinTradeA);
        selection.RoundMode = c.RoundMode;
        catalogue.Articles[QStringLiteral("A")].MinTrade = c.MinTradeA;
        catalogue.Articles[QStringLiteral("B")].MinTrade = c.MinTradeB;
        TokfMatList list;
        selection.BuildMatList(list);
        ASSERT_EQ(list.Count(), 2);
        EXPECT_EQ(list.Line(0).Quantity, c.A);
        EXPECT_EQ(list.Line(0).Cost, list.Line(0).Price * static_cast<long double>(c.A));
        EXPECT_EQ(list.Line(0).Price, TMoney::Parse(QStringLiteral("2")));
        EXPECT_EQ(list.Line(1).Quantity, c.B);
        EXPECT_EQ(list.Line(1).Cost, list.Line(1).Price * static_cast<long double>(c.B));
        EXPECT_EQ(MatListCost(list), list.Line(0).Cost + list.Line(1).Cost);
    }
}
