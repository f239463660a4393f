#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <utility>

#include "cli/cli_fixture.h"

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "ID count length side parent comment" per item, sorted, for comparing lists regardless of the
// order of lines with the same article.
QStringList ItemLines(const QJsonArray& items)
{
    QStringList lines;
    for (const QJsonValue& v : items) {
        const QJsonObject i = v.toObject();
        lines << QStringLiteral("%1 x%2 L%3 s%4 %5 %6")
                     .arg(i[QStringLiteral("ID")].toString())
                     .arg(i[QStringLiteral("Count")].toInt())
                     .arg(i[QStringLiteral("Length")].toDouble())
                     .arg(i[QStringLiteral("SideNo")].toInt())
                     .arg(i[QStringLiteral("ParentComplect")].toString(), i[QStringLiteral("Comment")].toString());
    }
    lines.sort();
    return lines;
}

const QStringList ReferenceNames = {
    QStringLiteral("ref-01-tt-500x600"),         QStringLiteral("ref-02-tt-700x1400"),
    QStringLiteral("ref-03-tt-1200x2300"),       QStringLiteral("ref-04-mullion-1400x1500"),
    QStringLiteral("ref-05-arch-1200x1600"),     QStringLiteral("ref-06-trapezoid-1000x1400"),
    QStringLiteral("ref-07-door-900x2100"),      QStringLiteral("ref-08-transom-1200x500"),
};

} // namespace

// Every reference order built from JSON and shown as JSON gives back its input, the fittings
// lists worked out by hand, and consistent prices.
TEST_F(CliTest, ReferenceOrdersRoundTrip)
{
    for (const QString& name : ReferenceNames) {
        SCOPED_TRACE(name.toStdString());
        const QString out = Work(name + QStringLiteral(".kfo370"));
        const TCliRun build = Run({QStringLiteral("order"), QStringLiteral("build"), ReferenceOrder(name + QStringLiteral(".json")), out});
        ASSERT_EQ(build.Exit, 0) << build.Err.toStdString();
        const TCliRun show = Run({QStringLiteral("order"), QStringLiteral("show"), out, QStringLiteral("--json")});
        ASSERT_EQ(show.Exit, 0) << show.Err.toStdString();
        const QJsonObject shown = ParseJson(show.Out);
        const QJsonObject input = QJsonDocument::fromJson(ReadAll(ReferenceOrder(name + QStringLiteral(".json")))).object();
        const QJsonObject expected =
            QJsonDocument::fromJson(ReadAll(ReferenceOrder(name + QStringLiteral(".expected.json")))).object();

        for (auto it = input.begin(); it != input.end(); ++it)
            if (it.key() != QLatin1String("Positions") && it.key() != QLatin1String("Material")) {
                EXPECT_EQ(shown[it.key()], it.value()) << it.key().toStdString();
            }
        EXPECT_EQ(shown[QStringLiteral("Version")].toString(), QStringLiteral("26.12.2019"));
        EXPECT_FALSE(shown[QStringLiteral("Currencies")].toArray().isEmpty());

        const QJsonArray positions = shown[QStringLiteral("Positions")].toArray();
        const QJsonArray inPositions = input[QStringLiteral("Positions")].toArray();
        const QJsonArray expPositions = expected[QStringLiteral("Positions")].toArray();
        ASSERT_EQ(positions.size(), inPositions.size());
        double total = 0;
        for (int p = 0; p < positions.size(); ++p) {
            const QJsonObject pos = positions[p].toObject();
            const QJsonObject in = inPositions[p].toObject();
            for (const char* key : {"PosNo", "Name", "Number", "ObjectType", "Figure", "B", "H", "X", "Y", "R"})
                if (in.contains(QLatin1String(key))) {
                    EXPECT_EQ(pos[QLatin1String(key)], in[QLatin1String(key)]) << key;
                }
            EXPECT_EQ(pos[QStringLiteral("Width")].toDouble(), in[QStringLiteral("B")].toDouble());
            EXPECT_EQ(pos[QStringLiteral("Height")].toDouble(), in[QStringLiteral("H")].toDouble());
            const QJsonObject fittings = pos[QStringLiteral("Fittings")].toObject();
            const QJsonObject inFittings = in[QStringLiteral("Fittings")].toObject();
            for (auto it = inFittings.begin(); it != inFittings.end(); ++it)
                if (it.key() != QLatin1String("Sashes")) {
                    EXPECT_EQ(fittings[it.key()], it.value()) << it.key().toStdString();
                }
            const QJsonArray sashes = fittings[QStringLiteral("Sashes")].toArray();
            const QJsonArray inSashes = inFittings[QStringLiteral("Sashes")].toArray();
            const QJsonArray expSashes = expPositions[p].toObject()[QStringLiteral("Sashes")].toArray();
            ASSERT_EQ(sashes.size(), inSashes.size());
            double price = 0;
            for (int s = 0; s < sashes.size(); ++s) {
                const QJsonObject sash = sashes[s].toObject();
                const QJsonObject inSash = inSashes[s].toObject();
                for (auto it = inSash.begin(); it != inSash.end(); ++it)
                    EXPECT_EQ(sash[it.key()], it.value()) << it.key().toStdString();
                EXPECT_EQ(ItemLines(sash[QStringLiteral("Items")].toArray()),
                          ItemLines(expSashes[s].toObject()[QStringLiteral("Items")].toArray()))
                    << "sash " << s;
                for (const QJsonValue& line : sash[QStringLiteral("MatList")].toArray())
                    price += line.toObject()[QStringLiteral("Cost")].toDouble();
                EXPECT_GT(sash[QStringLiteral("FFB")].toInt(), 0);
            }
            EXPECT_NEAR(pos[QStringLiteral("Price")].toDouble(), price, 0.001);
            EXPECT_GT(price, 0);
            total += pos[QStringLiteral("Cost")].toDouble();
        }
        EXPECT_NEAR(shown[QStringLiteral("TotalCost")].toDouble(), total, 0.001);
    }
}

// The JSON an order is shown as is an order document itself: built again it gives the same
// order, positions, fittings and lists.
TEST_F(CliTest, ShownOrdersBuildTheSameOrderAgain)
{
    const auto show = [](const QString& file, const char* what) {
        const TCliRun run = what ? Run({QStringLiteral("order"), QStringLiteral("matlist"), file, QStringLiteral("--json")})
                                 : Run({QStringLiteral("order"), QStringLiteral("show"), file, QStringLiteral("--json")});
        EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
        return run.Out;
    };
    for (const QString& name : ReferenceNames) {
        SCOPED_TRACE(name.toStdString());
        const QString first = Work(name + QStringLiteral("-first.kfo370"));
        const QString second = Work(name + QStringLiteral("-second.kfo370"));
        ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), ReferenceOrder(name + QStringLiteral(".json")), first}).Exit, 0);
        const QString shown = show(first, nullptr);
        const QString document = WriteFile(name + QStringLiteral("-shown.json"), shown.toUtf8());
        const TCliRun rebuild = Run({QStringLiteral("order"), QStringLiteral("build"), document, second});
        ASSERT_EQ(rebuild.Exit, 0) << rebuild.Err.toStdString();
        EXPECT_EQ(ParseJson(show(second, nullptr)), ParseJson(shown));
        EXPECT_EQ(ParseJson(show(second, "matlist")), ParseJson(show(first, "matlist")));
    }

    // Every figure, with the sizes left to the proposals, reads back as entered.
    const QString in = WriteFile(QStringLiteral("figures.json"), R"({"No": "F-1", "Positions": [
        {"Figure": 0}, {"Figure": 1, "B": 1401}, {"Figure": 2, "X": 300}, {"Figure": 3, "X": 1000},
        {"Figure": 4}, {"Figure": 5}, {"Figure": 6}, {"Figure": 7, "B": 1000, "X": 300}]})");
    const QString out = Work(QStringLiteral("figures.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), in, out}).Exit, 0);
    const QString shown = show(out, nullptr);
    const QJsonArray positions = ParseJson(shown)[QStringLiteral("Positions")].toArray();
    ASSERT_EQ(positions.size(), 8);
    const int expected[8][5] = {{700, 1400, 0, 0, 0},   {1401, 1400, 700, 701, 0}, {700, 1400, 300, 400, 0},
                                {700, 1400, 1000, 0, 0}, {700, 1400, 700, 0, 0},   {700, 1400, 0, 0, 0},
                                {700, 1400, 0, 0, 0},    {1000, 1400, 300, 0, 0}};
    for (int i = 0; i < 8; ++i) {
        const QJsonObject p = positions[i].toObject();
        EXPECT_EQ(p[QStringLiteral("Figure")].toInt(), i);
        int k = 0;
        for (const char* key : {"B", "H", "X", "Y"})
            EXPECT_EQ(p[QLatin1String(key)].toInt(), expected[i][k++]) << i << key;
    }
    EXPECT_DOUBLE_EQ(positions[7].toObject()[QStringLiteral("R")].toDouble(), 566.7);
    const QString again = Work(QStringLiteral("figures-again.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), WriteFile(QStringLiteral("figures-shown.json"), shown.toUtf8()), again}).Exit, 0);
    EXPECT_EQ(ParseJson(show(again, nullptr)), ParseJson(shown));
}

// Left-out header and position fields take the settings' and the position dialog's proposals.
TEST_F(CliTest, DefaultsAndProposals)
{
    const QString in = WriteFile(QStringLiteral("defaults.json"), R"({
        "No": "D-1",
        "Positions": [
            {"Figure": 1, "B": 1401},
            {"Figure": 7, "B": 1000, "H": 1500, "X": 200},
            {"ObjectType": 1}
        ]})");
    const QString out = Work(QStringLiteral("defaults.kfo370"));
    const TCliRun build = Run({QStringLiteral("order"), QStringLiteral("build"), in, out});
    ASSERT_EQ(build.Exit, 0) << build.Err.toStdString();
    const TCliRun show = Run({QStringLiteral("order"), QStringLiteral("show"), out, QStringLiteral("--json")});
    ASSERT_EQ(show.Exit, 0) << show.Err.toStdString();
    const QJsonObject o = ParseJson(show.Out);
    EXPECT_EQ(o[QStringLiteral("FurnSys")].toString(), QStringLiteral("100"));
    EXPECT_FALSE(o[QStringLiteral("FurnColor")].toString().isEmpty());
    const QJsonArray p = o[QStringLiteral("Positions")].toArray();
    ASSERT_EQ(p.size(), 3);
    EXPECT_EQ(p[0].toObject()[QStringLiteral("PosNo")].toString(), QStringLiteral("001"));
    EXPECT_EQ(p[2].toObject()[QStringLiteral("PosNo")].toString(), QStringLiteral("003"));
    EXPECT_EQ(p[0].toObject()[QStringLiteral("Name")].toString(), QStringLiteral("Окно: Комплект штульповый"));
    EXPECT_EQ(p[0].toObject()[QStringLiteral("Number")].toInt(), 1);
    // Two sashes split B as the dialog does: 700 and 701.
    const QJsonArray two = p[0].toObject()[QStringLiteral("Fittings")].toObject()[QStringLiteral("Sashes")].toArray();
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(p[0].toObject()[QStringLiteral("Width")].toDouble(), 1401);
    EXPECT_EQ(p[0].toObject()[QStringLiteral("Arrangement")].toInt(), 1);
    EXPECT_EQ(p[1].toObject()[QStringLiteral("Name")].toString(), QStringLiteral("Окно: Комплект арка"));
    EXPECT_EQ(p[1].toObject()[QStringLiteral("Width")].toDouble(), 1000);
    EXPECT_EQ(p[2].toObject()[QStringLiteral("Name")].toString(), QStringLiteral("Дверь с порогом: Комплект стандартный"));
    EXPECT_EQ(p[2].toObject()[QStringLiteral("Width")].toDouble(), 900);
    EXPECT_EQ(p[2].toObject()[QStringLiteral("Height")].toDouble(), 2100);
    // Without fittings a position has no items and no price.
    EXPECT_EQ(p[2].toObject()[QStringLiteral("Price")].toDouble(), 0);
}

// Damaged documents are refused with a message that names the key and the position; nothing
// is written.
TEST_F(CliTest, InvalidDocumentsAreRefused)
{
    const struct
    {
        const char* Json;
        QStringList Expected;
    } cases[] = {
        {"{\"No\": \"1\", ", {QStringLiteral("JSON")}},
        {"[1, 2]", {QStringLiteral("объект")}},
        {R"({"Customr": "x"})", {QStringLiteral("Customr"), QStringLiteral("неизвестный ключ")}},
        {R"({"NDSTax": "20"})", {QStringLiteral("NDSTax"), QStringLiteral("число")}},
        {R"({"Date": "01.12.2026"})", {QStringLiteral("Date")}},
        {R"({"Positions": [{"PosNo": "007", "Figur": 1}]})",
         {QStringLiteral("Positions[0].Figur"), QStringLiteral("«007»")}},
        {R"({"Positions": [{}, {"Figure": 9}]})", {QStringLiteral("Positions[1].Figure"), QStringLiteral("позиция 2")}},
        {R"({"Positions": [{"Number": 1.5}]})", {QStringLiteral("Number"), QStringLiteral("целое")}},
        {R"({"Positions": [{"Figure": 2, "Fittings": {"Sashes": [{}]}}]})",
         {QStringLiteral("Sashes"), QStringLiteral("нужно створок: 2, указано: 1")}},
        {R"({"Positions": [{"Fittings": {"Sashes": [{"Properties": ["x=1"]}]}}]})",
         {QStringLiteral("Properties[0]"), QStringLiteral("позиция 1")}},
        {R"({"Positions": [{"Fittings": {"Sashes": [{"MainComplekt": ""}]}}]})",
         {QStringLiteral("Sashes[0].MainComplekt")}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Json);
        const QString in = WriteFile(QStringLiteral("bad%1.json").arg(n), c.Json);
        const QString out = Work(QStringLiteral("bad%1.kfo370").arg(n++));
        const TCliRun run = Run({QStringLiteral("order"), QStringLiteral("build"), in, out});
        EXPECT_EQ(run.Exit, 1);
        for (const QString& part : c.Expected)
            EXPECT_TRUE(run.Err.contains(part)) << run.Err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

// A position the engine cannot calculate stops the build with the engine's message and the
// position number.
TEST_F(CliTest, FailingPositionStopsTheBuild)
{
    const QString in = WriteFile(QStringLiteral("unknown.json"), R"({
        "No": "U-1",
        "Positions": [{"PosNo": "017", "B": 700, "H": 1400,
                       "Fittings": {"Sashes": [{"MainComplect": "NO-SUCH-COMPLECT"}]}}]})");
    const QString out = Work(QStringLiteral("unknown.kfo370"));
    const TCliRun run = Run({QStringLiteral("order"), QStringLiteral("build"), in, out});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("[Позиция: 017]"))) << run.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(CliTest, MissingDamagedAndForeignFiles)
{
    const TCliRun missing = Run({QStringLiteral("order"), QStringLiteral("show"), Work(QStringLiteral("nothing.kfo370"))});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains(QStringLiteral("Ошибка загрузки заказа!"))) << missing.Err.toStdString();

    const QString damaged = WriteFile(QStringLiteral("damaged.kfo370"), QByteArray("\x05\x00\x00\x00garbage-garbage", 19));
    for (const char* command : {"show", "matlist", "recalc"}) {
        const TCliRun run = Run({QStringLiteral("order"), QLatin1String(command), damaged});
        EXPECT_EQ(run.Exit, 1) << command;
        EXPECT_TRUE(run.Err.contains(QStringLiteral("Ошибка загрузки заказа!"))) << run.Err.toStdString();
    }

    const TCliRun noInput = Run({QStringLiteral("order"), QStringLiteral("build"), Work(QStringLiteral("nothing.json")),
                                 Work(QStringLiteral("x.kfo370"))});
    EXPECT_EQ(noInput.Exit, 1);
    EXPECT_FALSE(noInput.Err.isEmpty());
}

TEST_F(CliTest, UsageAndConfiguration)
{
    EXPECT_EQ(Run({}).Exit, 2);
    EXPECT_EQ(Run({QStringLiteral("order"), QStringLiteral("show")}).Exit, 2);
    EXPECT_EQ(Run({QStringLiteral("order"), QStringLiteral("show"), QStringLiteral("a"), QStringLiteral("--bogus")}).Exit, 2);
    EXPECT_EQ(Run({QStringLiteral("order"), QStringLiteral("matlist"), QStringLiteral("a"), QStringLiteral("--json"),
                   QStringLiteral("--csv")}).Exit, 2);
    EXPECT_EQ(Run({QStringLiteral("order"), QStringLiteral("show"), QStringLiteral("a"), QStringLiteral("--alternatives"),
                   QStringLiteral("maybe")}).Exit, 2);
    const TCliRun unknown = Run({QStringLiteral("order"), QStringLiteral("show"), QStringLiteral("a"),
                                 QStringLiteral("--config"), QStringLiteral("Нет такой")});
    EXPECT_EQ(unknown.Exit, 1);
    EXPECT_TRUE(unknown.Err.contains(QStringLiteral("Ошибка открытия конфигурации Нет такой!\nУказанная"))) << unknown.Err.toStdString();
}

// The merged list of an order with its catalogue data, in the three forms; recalculation keeps
// the prices of an unchanged catalogue and saves.
TEST_F(CliTest, MatListAndRecalc)
{
    const QString out = Work(QStringLiteral("matlist.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), ReferenceOrder(QStringLiteral("ref-04-mullion-1400x1500.json")), out}).Exit, 0);
    const QJsonObject shown = ParseJson(Run({QStringLiteral("order"), QStringLiteral("show"), out, QStringLiteral("--json")}).Out);

    const TCliRun json = Run({QStringLiteral("order"), QStringLiteral("matlist"), out, QStringLiteral("--json")});
    ASSERT_EQ(json.Exit, 0) << json.Err.toStdString();
    const QJsonObject list = ParseJson(json.Out);
    EXPECT_NEAR(list[QStringLiteral("Total")].toDouble(), shown[QStringLiteral("TotalCost")].toDouble(), 0.001);
    const QJsonArray lines = list[QStringLiteral("Lines")].toArray();
    ASSERT_FALSE(lines.isEmpty());
    QStringList ids;
    for (const QJsonValue& v : lines) {
        const QJsonObject line = v.toObject();
        ids << line[QStringLiteral("ID")].toString();
        EXPECT_FALSE(line[QStringLiteral("Name")].toString().isEmpty());
        EXPECT_FALSE(line[QStringLiteral("Unit")].toString().isEmpty());
        EXPECT_NEAR(line[QStringLiteral("Cost")].toDouble(),
                    line[QStringLiteral("Price")].toDouble() * line[QStringLiteral("Quantity")].toDouble(), 0.001);
    }
    QStringList sorted = ids;
    sorted.sort();
    EXPECT_EQ(ids, sorted);
    EXPECT_EQ(ids.removeDuplicates(), 0);

    const TCliRun csv = Run({QStringLiteral("order"), QStringLiteral("matlist"), out, QStringLiteral("--csv"),
                             QStringLiteral("--sort"), QStringLiteral("name")});
    ASSERT_EQ(csv.Exit, 0) << csv.Err.toStdString();
    const QStringList rows = csv.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(rows.first(), QStringLiteral("ID,Article,ProdArticle,ProdArticle2,ProdArticle3,Name,Unit,Quantity,Price,Cost"));
    EXPECT_EQ(rows.size(), lines.size() + 2);

    const TCliRun text = Run({QStringLiteral("order"), QStringLiteral("matlist"), out});
    ASSERT_EQ(text.Exit, 0);
    EXPECT_TRUE(text.Out.contains(QStringLiteral("Итого: ")));

    const TCliRun recalc = Run({QStringLiteral("order"), QStringLiteral("recalc"), out});
    ASSERT_EQ(recalc.Exit, 0) << recalc.Err.toStdString();
    const QJsonObject after = ParseJson(Run({QStringLiteral("order"), QStringLiteral("show"), out, QStringLiteral("--json")}).Out);
    EXPECT_EQ(after[QStringLiteral("TotalWithNDS")], shown[QStringLiteral("TotalWithNDS")]);
}

// Versions and recalculation failures, made by changing bytes of a saved order.
TEST_F(CliTest, VersionsAndFailedRecalculation)
{
    const QString empty = WriteFile(QStringLiteral("empty.json"), R"({"No": "E-1", "Positions": []})");
    const QString saved = Work(QStringLiteral("empty.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), empty, saved}).Exit, 0);
    QByteArray bytes = ReadAll(saved);
    ASSERT_TRUE(bytes.contains("26.12.2019"));

    const QString older = WriteFile(QStringLiteral("older.kfo370"), QByteArray(bytes).replace("26.12.2019", "06.10.2015"));
    const TCliRun refused = Run({QStringLiteral("order"), QStringLiteral("show"), older});
    EXPECT_EQ(refused.Exit, 1);
    EXPECT_TRUE(refused.Err.contains(QStringLiteral("Необходимо конвертировать файл заказа!\nЗагружаемая версия: 06.10.2015")))
        << refused.Err.toStdString();
    const TCliRun converted = Run({QStringLiteral("order"), QStringLiteral("show"), older, QStringLiteral("--convert"),
                                   QStringLiteral("--json")});
    EXPECT_EQ(converted.Exit, 0) << converted.Err.toStdString();
    EXPECT_EQ(ParseJson(converted.Out)[QStringLiteral("No")].toString(), QStringLiteral("E-1"));

    const QString newer = WriteFile(QStringLiteral("newer.kfo370"), QByteArray(bytes).replace("26.12.2019", "26.12.2099"));
    const TCliRun warned = Run({QStringLiteral("order"), QStringLiteral("show"), newer, QStringLiteral("--convert")});
    EXPECT_EQ(warned.Exit, 1);
    EXPECT_TRUE(warned.Err.contains(QStringLiteral("более новой версией программы"))) << warned.Err.toStdString();

    // An article that left the catalogue: the position is restored, reported, and nothing saved.
    const QString built = Work(QStringLiteral("recalc.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), ReferenceOrder(QStringLiteral("ref-04-mullion-1400x1500.json")), built}).Exit, 0);
    bytes = ReadAll(built);
    ASSERT_TRUE(bytes.contains("ZV-10615"));
    const QByteArray damaged = QByteArray(bytes).replace("ZV-10615", "ZV-XXXXX");
    const QString broken = WriteFile(QStringLiteral("broken.kfo370"), damaged);
    const TCliRun recalc = Run({QStringLiteral("order"), QStringLiteral("recalc"), broken});
    EXPECT_EQ(recalc.Exit, 1);
    EXPECT_TRUE(recalc.Err.contains(QStringLiteral("В каталоге отсутствуют данные для [ZV-XXXXX]!")));
    EXPECT_TRUE(recalc.Err.contains(QStringLiteral("[Позиция: 001]"))) << recalc.Err.toStdString();
    EXPECT_EQ(ReadAll(broken), damaged);
}

// Debug mode adds every line separately with its history; the normal build merges and keeps none.
TEST_F(CliTest, DebugModeKeepsHistory)
{
    const auto histories = [](const QJsonObject& order) {
        int withHistory = 0;
        int items = 0;
        for (const QJsonValue& p : order[QStringLiteral("Positions")].toArray())
            for (const QJsonValue& s : p.toObject()[QStringLiteral("Fittings")].toObject()[QStringLiteral("Sashes")].toArray())
                for (const QJsonValue& i : s.toObject()[QStringLiteral("Items")].toArray()) {
                    ++items;
                    withHistory += i.toObject()[QStringLiteral("History")].toString().isEmpty() ? 0 : 1;
                }
        return std::make_pair(items, withHistory);
    };
    const QString in = ReferenceOrder(QStringLiteral("ref-02-tt-700x1400.json"));
    const QString normal = Work(QStringLiteral("normal.kfo370"));
    const QString debug = Work(QStringLiteral("debug.kfo370"));
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), in, normal}).Exit, 0);
    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), in, debug, QStringLiteral("--debug-mode")}).Exit, 0);
    const auto [normalItems, normalHistory] =
        histories(ParseJson(Run({QStringLiteral("order"), QStringLiteral("show"), normal, QStringLiteral("--json")}).Out));
    const auto [debugItems, debugHistory] =
        histories(ParseJson(Run({QStringLiteral("order"), QStringLiteral("show"), debug, QStringLiteral("--json")}).Out));
    EXPECT_EQ(normalHistory, 0);
    EXPECT_GT(debugHistory, 0);
    EXPECT_GE(debugItems, normalItems);
}

// Several articles fit an element: the first one by default, a failure naming the element and
// the candidates with --alternatives fail. Runs on a second configuration over the engine's
// test catalogue, chosen with --config.
TEST_F(CliTest, AlternativesOnASecondConfiguration)
{
    const TCliRun install = Run({QStringLiteral("install"), QStringLiteral("--config"), QStringLiteral("Engine"),
                                 QStringLiteral("--root"), Work(QStringLiteral("engine")), QStringLiteral("--catalog-from"),
                                 QStringLiteral(DIRAVIR_TEST_DATA_DIR "/engine_catalog")});
    ASSERT_EQ(install.Exit, 0) << install.Err.toStdString();
    const QString in = WriteFile(QStringLiteral("alt.json"), R"({
        "No": "A-1", "FurnSys": "100", "ProfSys": "K1", "FalzType": 101, "DornType": 201, "StulpType": 301,
        "OpenType": 401, "Currency": 1,
        "Positions": [{"PosNo": "004", "Fittings": {"Sashes": [{"MainComplect": "CHOICE"}]}}]})");
    const QString out = Work(QStringLiteral("alt.kfo370"));
    const TCliRun fail = Run({QStringLiteral("order"), QStringLiteral("build"), in, out, QStringLiteral("--config"),
                              QStringLiteral("Engine"), QStringLiteral("--alternatives"), QStringLiteral("fail")});
    EXPECT_EQ(fail.Exit, 1);
    EXPECT_TRUE(fail.Err.contains(QStringLiteral("[ETWO]"))) << fail.Err.toStdString();
    EXPECT_TRUE(fail.Err.contains(QStringLiteral("ART-T1, ART-T2")));
    EXPECT_TRUE(fail.Err.contains(QStringLiteral("[Позиция: 004]")));
    EXPECT_FALSE(QFileInfo::exists(out));

    ASSERT_EQ(Run({QStringLiteral("order"), QStringLiteral("build"), in, out, QStringLiteral("--config"), QStringLiteral("engine")}).Exit, 0);
    const QJsonObject shown = ParseJson(
        Run({QStringLiteral("order"), QStringLiteral("show"), out, QStringLiteral("--json"), QStringLiteral("--config"), QStringLiteral("Engine")}).Out);
    const QJsonArray items = shown[QStringLiteral("Positions")][0][QStringLiteral("Fittings")][QStringLiteral("Sashes")][0][QStringLiteral("Items")].toArray();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].toObject()[QStringLiteral("ID")].toString(), QStringLiteral("ART-T1"));
}
