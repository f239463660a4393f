#include <QFileInfo>
#include <QHash>
#include <QJsonArray>

#include "cli/cli_fixture.h"

// A selection of two whole orders, then of single entries: the entries, the merged list sorted
// by article and repriced, and a missing order file.
TEST_F(CliTest, SelectionOfOrders)
{
    const QString a = Work(QStringLiteral("sel-a.kfo370"));
    const QString b = Work(QStringLiteral("sel-b.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), ReferenceOrder(QStringLiteral("ref-02-tt-700x1400.json")), a}).Exit, 0);
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), ReferenceOrder(QStringLiteral("ref-04-mullion-1400x1500.json")), b}).Exit, 0);
    double orders = 0;
    for (const QString& file : {a, b})
        orders += ParseJson(Run({QStringLiteral("order"), QStringLiteral("matlist"), file, QStringLiteral("--json")}).Out)[QStringLiteral("Total")].toDouble();

    const QString in = WriteFile(QStringLiteral("sel.json"),
                                 QStringLiteral(R"({"No": "S-1", "Date": "2026-12-05", "Name": "Неделя 49", "Currency": 1,
                                     "Note": ["первая", "вторая"], "Orders": ["%1", "%2", "%1"]})")
                                     .arg(a, b)
                                     .toUtf8());
    const QString sel = Work(QStringLiteral("sel.kfs370"));
    const TCliRun build = Run({QStringLiteral("selection"), QStringLiteral("build"), in, sel});
    ASSERT_EQ(build.Exit, 0) << build.Err.toStdString();

    const TCliRun show = Run({QStringLiteral("selection"), QStringLiteral("show"), sel, QStringLiteral("--json")});
    ASSERT_EQ(show.Exit, 0) << show.Err.toStdString();
    const QJsonObject s = ParseJson(show.Out);
    EXPECT_EQ(s[QStringLiteral("No")].toString(), QStringLiteral("S-1"));
    EXPECT_EQ(s[QStringLiteral("Date")].toString(), QStringLiteral("2026-12-05"));
    EXPECT_EQ(s[QStringLiteral("Note")].toArray().size(), 2);
    EXPECT_EQ(s[QStringLiteral("Version")].toString(), QStringLiteral("06.10.2015"));
    // The first order added twice updates its entry instead of duplicating it.
    const QJsonArray entries = s[QStringLiteral("Entries")].toArray();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].toObject()[QStringLiteral("OrderNo")].toString(), QStringLiteral("REF-02"));
    EXPECT_EQ(entries[0].toObject()[QStringLiteral("Width")].toDouble(), 700);
    EXPECT_EQ(entries[1].toObject()[QStringLiteral("Width")].toDouble(), 1400);

    const TCliRun list = Run({QStringLiteral("selection"), QStringLiteral("matlist"), sel, QStringLiteral("--json")});
    ASSERT_EQ(list.Exit, 0) << list.Err.toStdString();
    EXPECT_NEAR(ParseJson(list.Out)[QStringLiteral("Total")].toDouble(), orders, 0.01);
    EXPECT_EQ(Run({QStringLiteral("selection"), QStringLiteral("show"), sel}).Exit, 0);

    // Single entries: one excluded, so only the other order's list remains.
    const QString in2 = WriteFile(QStringLiteral("sel2.json"),
                                  QStringLiteral(R"({"No": "S-2", "Entries": [{"OrderFile": "%1", "PosNo": "001", "Included": false},
                                                                            {"OrderFile": "%2", "PosNo": "001"}]})")
                                      .arg(a, b)
                                      .toUtf8());
    const QString sel2 = Work(QStringLiteral("sel2.kfs370"));
    ASSERT_EQ(Run({QStringLiteral("selection"), QStringLiteral("build"), in2, sel2}).Exit, 0);
    const double second = ParseJson(Run({QStringLiteral("order"), QStringLiteral("matlist"), b, QStringLiteral("--json")}).Out)[QStringLiteral("Total")].toDouble();
    EXPECT_NEAR(ParseJson(Run({QStringLiteral("selection"), QStringLiteral("matlist"), sel2, QStringLiteral("--json")}).Out)[QStringLiteral("Total")].toDouble(),
                second, 0.01);

    // Refused documents and files.
    const QString bad = WriteFile(QStringLiteral("sel3.json"),
                                  QStringLiteral(R"({"No": "S-3", "Entries": [{"OrderFile": "%1", "PosNo": "999"}]})").arg(a).toUtf8());
    const TCliRun noPos = Run({QStringLiteral("selection"), QStringLiteral("build"), bad, Work(QStringLiteral("sel3.kfs370"))});
    EXPECT_EQ(noPos.Exit, 1);
    EXPECT_TRUE(noPos.Err.contains(QStringLiteral("999")));
    EXPECT_FALSE(QFileInfo::exists(Work(QStringLiteral("sel3.kfs370"))));
    const QString both = WriteFile(QStringLiteral("sel4.json"), R"({"No": "S-4", "Orders": [], "Entries": []})");
    EXPECT_EQ(Run({QStringLiteral("selection"), QStringLiteral("build"), both, Work(QStringLiteral("sel4.kfs370"))}).Exit, 1);
    const TCliRun foreign = Run({QStringLiteral("selection"), QStringLiteral("show"), a});
    EXPECT_EQ(foreign.Exit, 1);
    EXPECT_TRUE(foreign.Err.contains(QStringLiteral("Ошибка загрузки выборки!")) || !foreign.Err.isEmpty());
}

// RoundMode 1 buys whole packs: screws sold by the hundred and the five hundred are rounded up,
// and their cost follows; RoundMode 0 lists what is fitted.
TEST_F(CliTest, SelectionRoundsToTheMinimumTradeQuantity)
{
    const QString order = Work(QStringLiteral("round.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), ReferenceOrder(QStringLiteral("ref-02-tt-700x1400.json")), order}).Exit, 0);
    const auto lines = [&](int roundMode) {
        const QString in = WriteFile(QStringLiteral("round%1.json").arg(roundMode),
                                     QStringLiteral(R"({"No": "R-%1", "RoundMode": %1, "Orders": ["%2"]})").arg(roundMode).arg(order).toUtf8());
        const QString sel = Work(QStringLiteral("round%1.kfs370").arg(roundMode));
        EXPECT_EQ(Run({QStringLiteral("selection"), QStringLiteral("build"), in, sel}).Exit, 0);
        const TCliRun show = Run({QStringLiteral("selection"), QStringLiteral("show"), sel});
        EXPECT_TRUE(show.Out.contains(roundMode ? QStringLiteral("округление: До мин. торговой величины")
                                                : QStringLiteral("округление: Нет")))
            << show.Out.toStdString();
        const TCliRun list = Run({QStringLiteral("selection"), QStringLiteral("matlist"), sel, QStringLiteral("--json")});
        EXPECT_EQ(list.Exit, 0) << list.Err.toStdString();
        QHash<QString, QJsonObject> byId;
        for (const QJsonValue& v : ParseJson(list.Out)[QStringLiteral("Lines")].toArray())
            byId.insert(v.toObject()[QStringLiteral("ID")].toString(), v.toObject());
        return byId;
    };
    const QHash<QString, QJsonObject> fitted = lines(0);
    const QHash<QString, QJsonObject> bought = lines(1);
    ASSERT_EQ(fitted.size(), bought.size());
    ASSERT_TRUE(fitted.contains(QStringLiteral("ZV-90100")) && fitted.contains(QStringLiteral("ZV-90300")));
    EXPECT_LT(fitted[QStringLiteral("ZV-90100")][QStringLiteral("Quantity")].toDouble(), 100);
    EXPECT_EQ(bought[QStringLiteral("ZV-90100")][QStringLiteral("Quantity")].toDouble(), 100);
    EXPECT_EQ(bought[QStringLiteral("ZV-90300")][QStringLiteral("Quantity")].toDouble(), 500);
    for (auto it = bought.begin(); it != bought.end(); ++it) {
        const QJsonObject& line = it.value();
        const double quantity = line[QStringLiteral("Quantity")].toDouble();
        EXPECT_GE(quantity, fitted[it.key()][QStringLiteral("Quantity")].toDouble()) << it.key().toStdString();
        EXPECT_NEAR(line[QStringLiteral("Cost")].toDouble(), line[QStringLiteral("Price")].toDouble() * quantity, 0.0001)
            << it.key().toStdString();
    }
}

TEST_F(CliTest, DemoBuildsTheReferenceOrders)
{
    const TCliRun demo = Run({QStringLiteral("demo"), QStringLiteral("--orders"), QStringLiteral(DIRAVIR_DATA_DIR "/orders")});
    EXPECT_EQ(demo.Exit, 0) << demo.Err.toStdString();
    EXPECT_TRUE(demo.Out.contains(QStringLiteral("Заказов: 8, с ошибками: 0"))) << demo.Out.right(300).toStdString();
    EXPECT_TRUE(demo.Out.contains(QStringLiteral("Спецификация заказа:")));
}

TEST_F(CliTest, BenchPrintsItsFigures)
{
    const TCliRun bench = Run({QStringLiteral("bench"), QStringLiteral("--scale"), QStringLiteral("1"), QStringLiteral("--dir"),
                               Work(QStringLiteral("bench")), QStringLiteral("--orders"), QStringLiteral(DIRAVIR_DATA_DIR "/orders")});
    ASSERT_EQ(bench.Exit, 0) << bench.Err.toStdString();
    const QJsonObject figures = ParseJson(bench.Out);
    for (const char* key : {"catalog_load_ms", "sashes_per_second", "sashes_per_second_without_narrowing",
                            "order_1000_save_ms", "order_1000_load_ms", "peak_resident_kb"})
        EXPECT_GT(figures[QLatin1String(key)].toDouble(), 0) << key;
}
