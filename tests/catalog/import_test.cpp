#include <gtest/gtest.h>

#include "support/shared_fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "catalog/catalog_import.h"
#include "catalog/data_module.h"
#include "foundation/error.h"
#include "support/scripted_messages.h"

namespace {
void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString CopyMinimal(const QTemporaryDir& dir)
{
    static int copies = 0;
    const QString to = dir.filePath(QStringLiteral("src%1").arg(++copies));
    QDir().mkpath(to);
    const QDir from(QStringLiteral(DIRAVIR_TEST_DATA_DIR "/catalog_min"));
    for (const QString& f : from.entryList(QDir::Files))
        QFile::copy(from.filePath(f), QDir(to).filePath(f));
    return to;
}
} // namespace

TEST(CatalogImport, ReportsTablesMissingOnesAndUnknownColumns)
{
    QTemporaryDir dir;
    const QString src = CopyMinimal(dir);
    QFile::remove(QDir(src).filePath(QStringLiteral("FrnItoI.csv")));
    Write(QDir(src).filePath(QStringLiteral("COLORSET.csv")), "Name,Extra,Color\r\nWhite,x,W\r\n\"Black, deep\",,BL\r\n");
    int calls = 0;
    const TImportReport report = ImportCatalog(src, dir.filePath(QStringLiteral("cat")), 0,
                                               [&](const QString&, int index, int count) {
                                                   EXPECT_EQ(index, calls++);
                                                   EXPECT_EQ(count, 19);
                                               });
    EXPECT_EQ(calls, 19);
    EXPECT_EQ(report.Imported, 19);
    EXPECT_EQ(report.Tables.first(), QStringLiteral("COLORSET: 2"));
    EXPECT_TRUE(report.Tables.contains(QStringLiteral("FrnArt: 6")));
    EXPECT_EQ(report.Missing, QStringList({"FrnItoI.DB"}));
    EXPECT_EQ(report.Warnings, QStringList({"COLORSET: неизвестный столбец Extra пропущен"}));

    TDM dm;
    dm.Connect(dir.filePath(QStringLiteral("cat")), dir.filePath(QStringLiteral("reg")), dir.filePath(QStringLiteral("rep")));
    TScriptedMessages::Current().Clear();
    dm.OpenCatalogTables();
    EXPECT_EQ(TScriptedMessages::Current().Texts().size(), 1); // FrnItoI
    ASSERT_TRUE(dm.T_Color.Locate(QStringLiteral("Color"), QStringLiteral("BL")));
    EXPECT_EQ(dm.T_Color.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("Black, deep"));
}

TEST(CatalogImport, AFailedImportLeavesThePreviousCatalogue)
{
    QTemporaryDir dir;
    const QString src = CopyMinimal(dir);
    const QString cat = dir.filePath(QStringLiteral("cat"));
    ImportCatalog(src, cat);
    struct TCase
    {
        const char* File;
        QByteArray Content;
        const char* Says;
    } cases[] = {
        {"Material.csv", "ID,Name\n1,a\n2.5,b\n", "Material.csv, строка 3, столбец ID: \"2.5\" не целое число"},
        {"Material.csv", "ID,Name\n1,\"open\n", "Material.csv, строка 2: не закрыты кавычки"},
        {"Material.csv", "ID,Name\n1,a,b\n", "Material.csv, строка 2: значений больше"},
        {"Material.csv", "ID,Name\n99999999999,a\n", "вне допустимого диапазона"},
        {"FrnSide.csv", "ID,Side,MinAngle\nX,1,abc\n", "FrnSide.csv, строка 2, столбец MinAngle"},
        {"COLORSET.csv", "Color\nW\nW\n", "COLORSET.csv, строка 3"}, // duplicate key
        {"COLORSET.csv", "Color\n\xFF\xFE\n", "не в кодировке UTF-8"},
        {"SysList.db", QByteArray(2048, 'x'), "SysList.db: не является таблицей Paradox"},
    };
    for (const auto& c : cases) {
        const QString src2 = CopyMinimal(dir);
        Write(QDir(src2).filePath(QString::fromLatin1(c.File)), c.Content);
        try {
            ImportCatalog(src2, cat);
            ADD_FAILURE() << c.File;
        } catch (const TError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.Says))) << e.Message().toStdString();
        }
        TDM dm;
        dm.Connect(cat, dir.filePath(QStringLiteral("reg")), dir.filePath(QStringLiteral("rep")));
        ASSERT_TRUE(dm.OpenCatalogTables());
        EXPECT_EQ(dm.T_Material.RecordCount(), 2);
        EXPECT_EQ(dm.T_Color.RecordCount(), 3);
        EXPECT_FALSE(QFile::exists(QDir(cat).filePath(QStringLiteral("Catalog.sqlite.new"))));
    }
}

TEST(CatalogImport, ParadoxTablesGoInWithTheirCodePage)
{
    REQUIRE_SHARED_FIXTURES();
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("px"));
    QDir().mkpath(src);
    // A real Paradox table standing in for the colour table: its Name column is known, the rest not.
    QFile::copy(QStringLiteral(DIRAVIR_FIXTURES_DIR "/paradox/country.db"), QDir(src).filePath(QStringLiteral("colorset.DB")));
    EXPECT_TRUE(CatalogNeedsImport(src));
    const TImportReport report = ImportCatalog(src, dir.filePath(QStringLiteral("elsewhere")));
    EXPECT_EQ(report.Tables, QStringList({"COLORSET: 18"}));
    EXPECT_EQ(report.Warnings.size(), 4);
    EXPECT_EQ(report.Missing.size(), 19);
    // Connecting a folder of Paradox tables imports it first.
    TDM dm;
    QStringList progress;
    dm.Connect(src, dir.filePath(QStringLiteral("reg")), dir.filePath(QStringLiteral("rep")),
               [&](const QString& table, int, int) { progress << table; });
    EXPECT_EQ(progress, QStringList({"COLORSET"}));
    EXPECT_FALSE(CatalogNeedsImport(src));
    dm.T_Color.Open();
    EXPECT_TRUE(dm.T_Color.Locate(QStringLiteral("Name"), QStringLiteral("Venezuela")));
}

TEST(CatalogImport, CommandLine)
{
    QTemporaryDir dir;
    QProcess cli;
    cli.start(QStringLiteral(DIRAVIR_CLI_PATH),
              {QStringLiteral("import"), QStringLiteral("--from"), QStringLiteral(DIRAVIR_TEST_DATA_DIR "/catalog_min"),
               QStringLiteral("--to"), dir.path()});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith(QStringLiteral("COLORSET: 3\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("FrnItoI: 1\n")));

    cli.start(QStringLiteral(DIRAVIR_CLI_PATH), {QStringLiteral("import"), QStringLiteral("--from"), dir.filePath(QStringLiteral("none")),
                                                 QStringLiteral("--to"), dir.path()});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 1);
    cli.start(QStringLiteral(DIRAVIR_CLI_PATH), {QStringLiteral("import"), QStringLiteral("--from")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 2);

    REQUIRE_SHARED_FIXTURES();
    cli.start(QStringLiteral(DIRAVIR_CLI_PATH), {QStringLiteral("paradox"), QStringLiteral("dump"),
                                                 QStringLiteral(DIRAVIR_FIXTURES_DIR "/paradox/of.db"),
                                                 QStringLiteral("--codepage"), QStringLiteral("866")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2197 + 2); // header, rows, the empty text after the last line break
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("001370009,,4732,АП-Т УЗТ-ПЕРЕНОСНОЙ,1972-01-01,20,154,")));
}
