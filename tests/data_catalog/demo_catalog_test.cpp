#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include "data_catalog/catalog_checks.h"
#include "foundation/cp1251.h"

namespace {

QString DataDir() { return QStringLiteral(DIRAVIR_DATA_DIR); }

const TCatalogFolder& Demo()
{
    static const TCatalogFolder folder(DataDir() + QStringLiteral("/catalog"));
    return folder;
}

// The rows of a table whose column holds the value.
QList<QStringList> RowsWhere(const QString& table, const QString& column, const QString& value)
{
    const TDemoCsvTable& t = Demo().Table(table);
    QList<QStringList> result;
    for (const QStringList& row : t.Rows)
        if (t.Cell(row, column) == value)
            result << row;
    return result;
}

// Sections and keys of the settings file, read in Windows-1251 as the program reads it.
QHash<QString, QString> ReadIni(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString text = FromCp1251(file.readAll());
    QHash<QString, QString> values;
    QString section;
    for (QString line : text.split(QStringLiteral("\r\n"))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            section = line.mid(1, line.size() - 2);
        else if (const qsizetype eq = line.indexOf(QLatin1Char('=')); eq > 0)
            values.insert(section + QLatin1Char('/') + line.left(eq), line.mid(eq + 1));
    }
    return values;
}

QJsonObject ReadJson(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << path.toStdString() << ": " << error.errorString().toStdString();
    return doc.object();
}

} // namespace

TEST(DemoCatalog, TablesReferToEachOther)
{
    const QStringList problems = Demo().Problems();
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

TEST(DemoCatalog, OffersEveryComplectGroupTheFittingsDialogLists)
{
    const TDemoCsvTable& comps = Demo().Table(QStringLiteral("FrnComp"));
    QSet<int> groups;
    QSet<int> windowSubGroups;
    for (const QStringList& row : comps.Rows) {
        const int group = comps.Cell(row, QStringLiteral("Group")).toInt();
        groups.insert(group);
        if (group == 10)
            windowSubGroups.insert(comps.Cell(row, QStringLiteral("SubGroup")).toInt());
        EXPECT_EQ(comps.Cell(row, QStringLiteral("ID")), comps.Cell(row, QStringLiteral("ID")).toUpper());
        EXPECT_EQ(comps.Cell(row, QStringLiteral("Use")), QStringLiteral("1"));
    }
    for (int g : {10, 11, 20, 21, 22, 30, 31, 32, 33, 34, 41, 42, 43, 44, 45, 46, 50})
        EXPECT_TRUE(groups.contains(g)) << "complect group " << g;
    for (int s : {0, 11, 12, 13, 14, 21, 22, 23, 24})
        EXPECT_TRUE(windowSubGroups.contains(s)) << "window sub-group " << s;
}

TEST(DemoCatalog, ReferenceDataHasWhatOrdersNeed)
{
    const QList<QStringList> rouble = RowsWhere(QStringLiteral("Currency"), QStringLiteral("ID"), QStringLiteral("1"));
    ASSERT_EQ(rouble.size(), 1);
    const TDemoCsvTable& cur = Demo().Table(QStringLiteral("Currency"));
    EXPECT_EQ(cur.Cell(rouble.first(), QStringLiteral("Value")), QStringLiteral("1"));
    EXPECT_EQ(cur.Cell(rouble.first(), QStringLiteral("Dec")), QStringLiteral("2"));
    EXPECT_EQ(cur.Cell(rouble.first(), QStringLiteral("GenitivePlural")), QStringLiteral("рублей"));
    EXPECT_EQ(cur.Rows.size(), 3);

    // Each parameter kind lives in its own code range; the engine refuses a rebate below 1
    // and a backset of 0.
    const TDemoCsvTable& params = Demo().Table(QStringLiteral("ParamList"));
    QList<double> backsets;
    int rebates = 0, mullions = 0, openings = 0;
    for (const QStringList& row : params.Rows) {
        const int id = params.Cell(row, QStringLiteral("ID")).toInt();
        if (id >= 100 && id <= 199) {
            ++rebates;
            for (const char* f : {"FalzLuft", "FalzSize", "FalzPos"})
                EXPECT_GE(params.Cell(row, QLatin1String(f)).toInt(), 1) << id;
        } else if (id >= 200 && id <= 299) {
            backsets << params.Cell(row, QStringLiteral("DornMass")).toDouble();
        } else if (id >= 300 && id <= 399) {
            ++mullions;
        } else if (id >= 400 && id <= 499) {
            ++openings;
        } else {
            ADD_FAILURE() << "parameter code outside the four ranges: " << id;
        }
    }
    EXPECT_GE(rebates, 2);
    EXPECT_EQ(backsets, (QList<double>{15.0, 20.0, 25.0, 30.0, 37.5}));
    EXPECT_GE(mullions, 1);
    EXPECT_FALSE(RowsWhere(QStringLiteral("ParamList"), QStringLiteral("OpenType"), QStringLiteral("2")).isEmpty());
}

TEST(DemoSettings, IsWindows1251AndNamesCatalogueCodes)
{
    const QString path = DataDir() + QStringLiteral("/OKFurniture.ini");
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);
    EXPECT_FALSE(decoded.isEmpty());
    EXPECT_TRUE(utf8.hasError()) << "the settings file must not be UTF-8";
    EXPECT_TRUE(bytes.contains("\r\n"));

    const QHash<QString, QString> ini = ReadIni(path);
    EXPECT_EQ(ini.value(QStringLiteral("Firm/Name")), QStringLiteral("ООО «Оконная мастерская Демо»"));
    EXPECT_EQ(ini.value(QStringLiteral("Tax/NDSTax")), QStringLiteral("20"));
    EXPECT_TRUE(Demo().Values(QStringLiteral("Currency"), QStringLiteral("ID")).contains(ini.value(QStringLiteral("Money/CurCurrency"))));

    const auto expectIn = [&](const QString& key, const QString& table, const QString& column) {
        EXPECT_TRUE(Demo().Values(table, column).contains(ini.value(key)))
            << key.toStdString() << " = '" << ini.value(key).toStdString() << "' not in " << table.toStdString();
    };
    expectIn(QStringLiteral("Defaults/DefProfSys"), QStringLiteral("SysProf"), QStringLiteral("SchlSysID"));
    expectIn(QStringLiteral("Defaults/DefFurnSys"), QStringLiteral("SysList"), QStringLiteral("ID"));
    expectIn(QStringLiteral("Defaults/DefInnerProfColor"), QStringLiteral("COLORSET"), QStringLiteral("Color"));
    expectIn(QStringLiteral("Defaults/DefOuterProfColor"), QStringLiteral("COLORSET"), QStringLiteral("Color"));
    expectIn(QStringLiteral("Defaults/DefFurnColor"), QStringLiteral("SysColor"), QStringLiteral("ID"));
    expectIn(QStringLiteral("Defaults/DefHandle"), QStringLiteral("FrnComp"), QStringLiteral("ID"));
    expectIn(QStringLiteral("Defaults/DefMaterial"), QStringLiteral("Material"), QStringLiteral("ID"));
    const QSet<QString> params = Demo().Values(QStringLiteral("ParamList"), QStringLiteral("ID"));
    const struct { const char* key; int low; } codes[] = {
        {"Defaults/DefFalzType", 100}, {"Defaults/DefDornType", 200},
        {"Defaults/DefStulpFalzType", 300}, {"Defaults/DefFlugelType", 400}};
    for (const auto& c : codes) {
        const QString v = ini.value(QLatin1String(c.key));
        EXPECT_TRUE(params.contains(v) && v.toInt() >= c.low && v.toInt() < c.low + 100) << c.key;
    }
    EXPECT_GT(ini.value(QStringLiteral("Defaults/DefProfThickness")).toInt(), 0);
}

TEST(ReferenceOrders, NameOnlyCatalogueCodesAndHaveExpectedLists)
{
    const QDir orders(DataDir() + QStringLiteral("/orders"));
    const QStringList files = orders.entryList({QStringLiteral("ref-*.json")}, QDir::Files, QDir::Name)
                                  .filter(QRegularExpression(QStringLiteral("^(?!.*\\.expected\\.json$)")));
    ASSERT_GE(files.size(), 8);
    const QSet<QString> complects = Demo().Values(QStringLiteral("FrnComp"), QStringLiteral("ID"));
    const QSet<QString> articles = Demo().Values(QStringLiteral("Catalog"), QStringLiteral("ID"));
    const QSet<QString> params = Demo().Values(QStringLiteral("ParamList"), QStringLiteral("ID"));
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QJsonObject order = ReadJson(orders.filePath(name));
        const QString expectedName = QString(name).replace(QStringLiteral(".json"), QStringLiteral(".expected.json"));
        ASSERT_TRUE(orders.exists(expectedName));
        const QJsonArray expected = ReadJson(orders.filePath(expectedName)).value(QStringLiteral("Positions")).toArray();
        const QJsonArray positions = order.value(QStringLiteral("Positions")).toArray();
        ASSERT_EQ(positions.size(), expected.size());
        for (qsizetype p = 0; p < positions.size(); ++p) {
            const QJsonObject pos = positions.at(p).toObject();
            const QJsonObject fit = pos.value(QStringLiteral("Fittings")).toObject();
            for (const char* key : {"FalzType", "StulpType", "OpenType"})
                EXPECT_TRUE(params.contains(QString::number(fit.value(QLatin1String(key)).toInt()))) << key;
            const QJsonArray sashes = fit.value(QStringLiteral("Sashes")).toArray();
            const int figure = pos.value(QStringLiteral("Figure")).toInt();
            EXPECT_EQ(sashes.size(), figure == 1 || figure == 2 ? 2 : 1);
            for (const QJsonValue& s : sashes) {
                const QJsonObject sash = s.toObject();
                for (const char* key : {"MainComplect", "HingeComplect", "HandleComplect", "LockComplect",
                                        "CylinderComplect", "CloserComplect", "LatchComplect"}) {
                    const QString code = sash.value(QLatin1String(key)).toString();
                    EXPECT_TRUE(code.isEmpty() || complects.contains(code)) << key << " " << code.toStdString();
                }
                EXPECT_TRUE(params.contains(QString::number(sash.value(QStringLiteral("DornType")).toInt())));
            }
            const QJsonArray expectedSashes = expected.at(p).toObject().value(QStringLiteral("Sashes")).toArray();
            ASSERT_EQ(expectedSashes.size(), sashes.size());
            for (const QJsonValue& s : expectedSashes)
                for (const QJsonValue& item : s.toObject().value(QStringLiteral("Items")).toArray()) {
                    const QJsonObject line = item.toObject();
                    EXPECT_TRUE(articles.contains(line.value(QStringLiteral("ID")).toString()))
                        << line.value(QStringLiteral("ID")).toString().toStdString();
                    EXPECT_TRUE(complects.contains(line.value(QStringLiteral("ParentComplect")).toString()));
                    EXPECT_GT(line.value(QStringLiteral("Count")).toInt(), 0);
                }
        }
    }
}
